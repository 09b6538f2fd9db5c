#include <string>
#include <vector>

#include "registry_fixture.h"

namespace compiler {
namespace {

using VariablesTest = RegistryTest;

TEST_F(VariablesTest, ConstructionRuleSetsOwnerAndFieldCode) {
    struct Row {
        std::string function, type;
        int code;
        std::string owner;
        int stored;
    };
    const std::vector<Row> rows = {
        {"GLOBAL", "", 2, "GLOBAL", 2}, {"F", "", 3, "F", 3},       {"MAIN", "T", 1, "T", 1001},
        {"GLOBAL", "T", 4, "T", 1004},  {"GLOBAL", "T", 5, "T", 5}, {"GLOBAL", "T", 1000, "T", 1000},
        {"F", "T", 1004, "T", 1004},
    };
    for (const Row& row : rows) {
        enter(row.function, row.type);
        const Variable& v =
            ctx.variables.getVariable(ctx.variables.add("V", static_cast<TypeCode>(row.code)));
        EXPECT_EQ(v.getOwner(), row.owner) << row.function << "/" << row.type << "/" << row.code;
        EXPECT_EQ(v.getType(), row.stored) << row.function << "/" << row.type << "/" << row.code;
        const Array& a = ctx.arrays.getArray(ctx.arrays.add("A", static_cast<TypeCode>(row.code)));
        EXPECT_EQ(a.getOwner(), row.owner);
        EXPECT_EQ(a.getType(), row.stored);
    }
}

TEST_F(VariablesTest, ReservedNamesAreRefusedAndLeaveNoTrace) {
    int names = ctx.objects.getNameCount();
    for (const char* name : {"C", "PointX", "PointY"}) {
        try {
            ctx.variables.add(name, TypeCodes::cInt);
            ADD_FAILURE() << name;
        } catch (const CompileException& e) {
            EXPECT_EQ(e.problems(), std::vector<std::string>{"Variable name is illegal"});
        }
        try {
            ctx.arrays.add(name, TypeCodes::cInt);
            ADD_FAILURE() << name;
        } catch (const CompileException& e) {
            EXPECT_EQ(e.problems(), std::vector<std::string>{"Array name is illegal"});
        }
    }
    EXPECT_EQ(ctx.variables.getCount(), 3);
    EXPECT_EQ(ctx.arrays.getCount(), 0);
    EXPECT_EQ(ctx.objects.getNameCount(), names);
    ctx.variables.add("POINTX", TypeCodes::cInt);  // the check is case-sensitive
    ctx.arrays.add("LIST", TypeCodes::cInt);       // arrays stay out of the declared names
    EXPECT_EQ(ctx.objects.getNameCount(), names + 1);
}

TEST_F(VariablesTest, SystemVariablesAreVisibleOnlyWhereTheyApply) {
    ASSERT_EQ(ctx.variables.getName(0), "C");
    EXPECT_EQ(ctx.variables.getName(1), "POINTX");
    EXPECT_EQ(ctx.variables.getName(2), "POINTY");
    EXPECT_EQ(ctx.variables.getVariable(2).getOwner(), "SYSTEM");
    EXPECT_EQ(ctx.variables.getType(0), 1000);
    struct Row {
        std::string function, action;
        bool c, pointX;
    };
    for (const Row& row : std::vector<Row>{{"ACTION", "", true, false},
                                           {"MAIN", "POINTERDRAGGED", false, true},
                                           {"MAIN", "PAINT", false, false},
                                           {"SYSTEM", "", false, false}}) {
        enter(row.function);
        ctx.scope.CurrentAction = row.action;
        EXPECT_EQ(ctx.variables.isValid(0), row.c) << row.function << "/" << row.action;
        EXPECT_EQ(ctx.variables.isValid(1), row.pointX) << row.function << "/" << row.action;
        EXPECT_EQ(ctx.variables.findVisible("POINTY") == 2, row.pointX);
    }
}

TEST_F(VariablesTest, ScopeRulesForVariablesAndArrays) {
    // Same layout in both registries: a global, a main-section local, F's local, a field of type T.
    auto declare = [&](auto& registry) {
        enter("GLOBAL");
        registry.add("G", TypeCodes::cInt);
        enter("MAIN");
        registry.add("M", TypeCodes::cInt);
        enter("F");
        registry.add("L", TypeCodes::cInt);
        enter("GLOBAL", "T");
        registry.add("FX", TypeCodes::cInt);
    };
    declare(ctx.variables);
    declare(ctx.arrays);
    struct Row {
        std::string function, type, visibleVariables, visibleArrays;
    };
    const std::vector<Row> rows = {
        {"MAIN", "", "G M", "G M"},     {"F", "", "G L", "G L"}, {"H", "", "G", "G"},
        {"MAIN", "T2", "FX", "G M FX"},  // global arrays stay visible inside a type, variables do not
        {"F", "T", "FX", "G L FX"},
    };
    for (const Row& row : rows) {
        enter(row.function, row.type);
        std::string variables, arrays;
        for (const char* name : {"G", "M", "L", "FX"}) {
            if (ctx.variables.findVisible(name) >= 0)
                variables += std::string(variables.empty() ? "" : " ") + name;
            if (ctx.arrays.findVisible(name) >= 0) arrays += std::string(arrays.empty() ? "" : " ") + name;
        }
        EXPECT_EQ(variables, row.visibleVariables) << row.function << "/" << row.type;
        EXPECT_EQ(arrays, row.visibleArrays) << row.function << "/" << row.type;
        for (int i = 3; i < ctx.variables.getCount(); ++i) {
            EXPECT_EQ(ctx.variables.isValid(i), ctx.variables.findVisible(ctx.variables.getName(i)) == i);
        }
    }
}

TEST_F(VariablesTest, FirstVisibleEntryWinsAndGetIndexPrefersIt) {
    enter("F");
    int inF = ctx.variables.add("X", TypeCodes::cInt);
    enter("G");
    int inG = ctx.variables.add("X", TypeCodes::cString);
    enter("GLOBAL");
    int global = ctx.variables.add("X", TypeCodes::cFloat);
    EXPECT_EQ(ctx.variables.find("X"), inF);
    enter("G");
    EXPECT_EQ(ctx.variables.findVisible("X"), inG);
    EXPECT_EQ(ctx.variables.getIndex("X"), inG);
    enter("H");
    EXPECT_EQ(ctx.variables.getIndex("X"), global);
    enter("MAIN", "T");
    EXPECT_EQ(ctx.variables.getIndex("X"), inF);  // nothing visible: the first entry
    try {
        ctx.variables.getIndex("NOPE");
        ADD_FAILURE();
    } catch (const CompileException& e) {
        EXPECT_EQ(e.problems(), std::vector<std::string>{"Could not find variable in pool"});
    }
}

TEST_F(VariablesTest, ManyFunctionsSharingANameEachSeeTheirOwn) {
    for (int f = 0; f < 2000; ++f) {
        enter("F" + std::to_string(f));
        ctx.variables.add("I", TypeCodes::cInt);
        ctx.arrays.add("A", TypeCodes::cInt);
    }
    for (int f = 0; f < 2000; f += 37) {
        enter("F" + std::to_string(f));
        EXPECT_EQ(ctx.variables.getVariable(ctx.variables.findVisible("I")).getOwner(),
                  "F" + std::to_string(f));
        EXPECT_EQ(ctx.arrays.getArray(ctx.arrays.findVisible("A")).getOwner(), "F" + std::to_string(f));
    }
    EXPECT_TRUE(ctx.variables.owns(Owner{OwnerKind::Function, "F1999"}, "I"));
    EXPECT_FALSE(ctx.variables.owns(Owner{OwnerKind::Function, "F2000"}, "I"));
    EXPECT_TRUE(ctx.variables.owns(Owner{OwnerKind::System, "SYSTEM"}, "C"));
}

TEST(Types, ExactNamesInOrder) {
    Types types;
    types.add("POINT");
    types.add("RECT");
    types.add("POINT");
    EXPECT_TRUE(types.isValid("POINT"));
    EXPECT_FALSE(types.isValid("Point"));
    EXPECT_FALSE(types.isValid("CIRCLE"));
    EXPECT_EQ(types.getCount(), 3);
    EXPECT_EQ(types.getName(1), "RECT");
}

}  // namespace
}  // namespace compiler
