#include "driver/lookups.h"

#include <sstream>
#include <string>
#include <vector>

#include "registry_fixture.h"

namespace compiler {
namespace {

const std::string kVariableScope =
    "Variable is being used out of it's visible scope, make the variable global to use the variable here";
const std::string kArrayScope =
    "Array is being used out of it's visible scope, make the array global to use the array here";

// A program with a global X#, a main-section M, locals L of F and Y of F and G, a field FX of type T,
// a global array ARR and an array LA local to F.
class LookupsTest : public RegistryTest {
protected:
    LookupsTest() {
        ctx.variables.add("X", TypeCodes::cFloat);
        ctx.arrays.add("ARR", TypeCodes::cString);
        enter("GLOBAL", "T");
        ctx.variables.add("FX", TypeCodes::cInt);
        enter("MAIN");
        ctx.variables.add("M", TypeCodes::cInt);
        enter("F");
        ctx.variables.add("L", TypeCodes::cInt);
        ctx.variables.add("Y", TypeCodes::cInt);
        ctx.arrays.add("LA", TypeCodes::cInt);
        enter("G");
        ctx.variables.add("Y", TypeCodes::cString);
    }
    Helpers helpers{ctx};
};

TEST_F(LookupsTest, PerKindLookupsUpperCaseAndTakeTheFirst) {
    using Add = void (Objects::*)(const std::string&);
    using Find = int (Helpers::*)(const std::string&) const;
    const std::vector<std::pair<Add, Find>> kinds = {
        {&Objects::addCamera, &Helpers::Camera},
        {&Objects::addLight, &Helpers::Light},
        {&Objects::addSpriteArray, &Helpers::SpriteArray},
        {&Objects::addSprite, &Helpers::Sprite},
        {&Objects::addImageArray, &Helpers::ImageArray},
        {&Objects::addImage, &Helpers::Image},
        {&Objects::addCanvas, &Helpers::Canvas},
        {&Objects::addList, &Helpers::List},
        {&Objects::addForm, &Helpers::Form},
        {&Objects::addTextbox, &Helpers::TextBox},
        {&Objects::addButton, &Helpers::Button},
    };
    for (const auto& [add, find] : kinds) {
        (ctx.objects.*add)("OTHER");
        (ctx.objects.*add)("HERO");
        (ctx.objects.*add)("HERO");
        EXPECT_EQ((helpers.*find)("hero"), 1);
        EXPECT_EQ((helpers.*find)("Hero"), 1);
        EXPECT_EQ((helpers.*find)("VILLAIN"), -1);
    }
    ctx.objects.addObject("SHIP", "Ship.m3g");
    ctx.worlds.add("W");
    EXPECT_EQ(helpers.Object("ship"), 0);
    EXPECT_EQ(helpers.World("w"), 0);
    EXPECT_EQ(helpers.World("V"), -1);
}

TEST_F(LookupsTest, VariableLookupAppliesTheScopeRules) {
    struct Row {
        std::string function, type, name;
        std::string owner;  // "" for no variable
        std::vector<std::string> problems;
    };
    const std::vector<Row> rows = {
        {"MAIN", "", "x#", "GLOBAL", {}},
        {"MAIN", "", "X$#", "", {}},  // only one suffix comes off
        {"MAIN", "", "NOPE", "", {}},
        {"F", "", "L", "F", {}},
        {"G", "", "L", "", {kVariableScope, "in Variable"}},
        {"F", "", "M", "", {kVariableScope, "in Variable"}},
        {"G", "", "Y$", "G", {}},  // F's Y comes first but is hidden: G's own is the answer
        {"H", "", "Y", "", {kVariableScope, "in Variable"}},
        {"MAIN", "T", "X", "", {kVariableScope, "in Variable"}},
        {"MAIN", "T2", "FX", "T", {}},
        {"ACTION", "", "C", "SYSTEM", {}},
        {"MAIN", "", "C", "", {kVariableScope, "in Variable"}},
    };
    for (const Row& row : rows) {
        enter(row.function, row.type);
        const Variable* found = nullptr;
        EXPECT_EQ(problemsOf([&] { found = helpers.Variable(row.name); }), row.problems)
            << row.function << " " << row.name;
        EXPECT_EQ(found ? found->getOwner() : "", row.owner) << row.function << " " << row.name;
        // The declaration check never raises and sees only what is visible.
        const Variable* visible = helpers.visibleVariable(row.name);
        EXPECT_EQ(visible ? visible->getOwner() : "", row.owner) << row.function << " " << row.name;
    }
}

TEST_F(LookupsTest, TypeLookupsAddTheirContextWords) {
    enter("G");
    EXPECT_EQ(helpers.VariableType("Y"), 3);
    EXPECT_EQ(problemsOf([&] { helpers.VariableType("L"); }),
              (std::vector<std::string>{kVariableScope, "in Variable", "in Variable Type"}));
    EXPECT_EQ(problemsOf([&] { helpers.VariableType("NOPE"); }),
              (std::vector<std::string>{"Variable was not found in pool", "in Variable Type"}));
    EXPECT_EQ(helpers.ArrayType("ARR$"), 3);
    EXPECT_EQ(helpers.Array("arr"), nullptr);  // array names are not upper-cased
    EXPECT_EQ(problemsOf([&] { helpers.ArrayType("LA"); }),
              (std::vector<std::string>{kArrayScope, "in Array", "in Array Type"}));
    EXPECT_EQ(problemsOf([&] { helpers.ArrayType("NOPE"); }),
              (std::vector<std::string>{"Array was not found in pool", "in Array Type"}));
    enter("MAIN", "T");
    EXPECT_EQ(helpers.Array("ARR")->getOwner(), "GLOBAL");  // global arrays stay visible in a type
}

TEST_F(LookupsTest, DeclaringANameAnotherFunctionUsesIsAllowed) {
    enter("H");
    ASSERT_EQ(helpers.visibleVariable("L"), nullptr);
    ctx.variables.add("L", TypeCodes::cInt);
    EXPECT_EQ(helpers.Variable("L")->getOwner(), "H");
    enter("F");
    EXPECT_EQ(helpers.Variable("L")->getOwner(), "F");
}

TEST_F(LookupsTest, NameRefusesWhatIsVisibleOrDeclared) {
    ctx.objects.addSprite("HERO");
    ctx.functions.addFunction("ADD");
    enter("F");
    ctx.variables.add("SP", TypeCodes::cInt);
    ctx.objects.addSprite("SP");
    struct Row {
        std::string function, name;
        bool free;
    };
    const std::vector<Row> rows = {
        {"G", "HERO", false}, {"G", "ADD", false}, {"G", "X", false},      {"G", "x", false},
        {"G", "ARR", false},  {"G", "A_B", false}, {"G", "9LIVES", false}, {"G", "NEW", true},
        {"G", "L", true},     {"G", "LA", true},   {"F", "L", false},      {"F", "LA", false},
        {"G", "SP", false},   {"G", "M", true},    {"MAIN", "M", false},   {"MAIN", "C", true},
    };
    for (const Row& row : rows) {
        enter(row.function);
        EXPECT_EQ(helpers.Name(row.name), row.free) << row.function << " " << row.name;
    }
}

TEST(LookupsDebug, ScansAreTraced) {
    std::ostringstream out;
    Context ctx(out, true);
    Helpers helpers(ctx);
    ctx.functions.enter(OwnerKind::Global);
    ctx.arrays.add("A", TypeCodes::cInt);
    ctx.arrays.add("B", TypeCodes::cInt);
    ctx.objects.addCanvas("ONE");
    ctx.objects.addCanvas("TWO");
    helpers.Array("A");
    helpers.Array("Z");
    helpers.Canvas("two");
    EXPECT_EQ(out.str(), "Looking at array A\nLooking at array A\nLooking at array B\nONE\nTWO\n");
}

TEST(LookupsText, NameChecksAndTextOperations) {
    EXPECT_TRUE(Helpers::validName("ABC123"));
    EXPECT_TRUE(Helpers::validName(""));
    EXPECT_FALSE(Helpers::validName("A_B"));
    EXPECT_FALSE(Helpers::validName("A$"));
    EXPECT_FALSE(Helpers::allowedVarName("PointX"));
    EXPECT_FALSE(Helpers::allowedVarName("C"));
    EXPECT_TRUE(Helpers::allowedVarName("POINTX"));
    EXPECT_TRUE(Helpers::allowedVarName("c"));
    const std::vector<std::pair<std::string, std::string>> fixes = {
        {"A$", "A"}, {"A#", "A"}, {"A%", "A"}, {"A$#", "A$"}, {"A", "A"}, {"", ""}, {"$", ""}};
    for (const auto& [name, fixed] : fixes) EXPECT_EQ(Helpers::FixVariable(name), fixed) << name;
    const std::vector<std::pair<std::string, bool>> numbers = {
        {"12", true}, {"-12", true}, {"-", true}, {"", false}, {"+1", false}, {"1.5", false}, {"1-", false}};
    for (const auto& [text, number] : numbers) EXPECT_EQ(Helpers::Number(text), number) << text;
    EXPECT_EQ(Helpers::Float("1.2.3"), "1.2.3");
    EXPECT_EQ(Helpers::Float("-1.5"), "Error");
    EXPECT_TRUE(Helpers::correctType("P%.X"));
    EXPECT_FALSE(Helpers::correctType("P.X"));
    const std::vector<std::string> tokens = {"IF", "(", "(", ")", "A", "(", ")"};
    EXPECT_EQ(Helpers::Bracket(tokens, 1, 7), "(()");
    EXPECT_EQ(Helpers::Bracket(tokens, 1, 3), "((");
    EXPECT_EQ(Helpers::Bracket(tokens, 4, 7), "");
    EXPECT_EQ(Helpers::Bracket(tokens, 5, 99), "()");
}

}  // namespace
}  // namespace compiler
