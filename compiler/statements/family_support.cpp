#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "expressions/arguments.h"
#include "expressions/nested_values.h"
#include "statements/convertor.h"
#include "statements/families.h"

namespace compiler {

std::string translateValue(Convertor& c, std::string_view pattern, int start, std::string* bytes) {
    LineState& line = c.ctx.line;
    line.gPointer = start;
    std::unique_ptr<InterfaceArguments> arguments = newArguments(c.ctx);
    std::string text = arguments->HandleArguments(pattern, start, 0);
    if (text.empty()) throw missingValue(pattern);
    if (bytes) *bytes = arguments->retByte().value_or("");
    // Closing brackets may stand after a value whose call ended one token early; anything else was
    // not read.
    for (int i = line.gPointer; line.has(i); ++i) {
        if (line.token(i) != ")") throw CompileException(res("Error_Unknown_symbol_") + line.token(i) + "\"");
    }
    return text;
}

std::vector<Member> memberKinds(Convertor& c, const std::string& name) {
    const Objects& o = c.ctx.objects;
    const std::pair<const NameList*, Member> lists[] = {
        {&o.Images, Member::Image},
        {&o.ImageArray, Member::ImageArray},
        {&o.Sprites, Member::Sprite},
        {&o.SpriteArray, Member::SpriteArray},
        {&o.Canvas, Member::Canvas},
        {&o.Buttons, Member::Widget},
        {&o.Forms, Member::Widget},
        {&o.Textboxes, Member::Widget},
        {&o.Labels, Member::Widget},
        {&o.Lists, Member::Widget},
        {&o.Lights, Member::Light},
        {&o.Cameras, Member::Camera},
        {&c.ctx.worlds, Member::World},
        {&o.ObjectNames, Member::Object},
        {&o.ObjectArray, Member::ObjectArray},
    };
    std::vector<Member> kinds;
    for (const auto& [list, kind] : lists) {
        if (list->indexOf(name) >= 0) kinds.push_back(kind);
    }
    Helpers helpers(c.ctx);
    if (const Variable* v = helpers.visibleVariable(name); v && v->getType() != TypeCodes::cSpecial)
        kinds.push_back(Member::Variable);
    if (helpers.visibleArray(name)) kinds.push_back(Member::Array);
    return kinds;
}

void requireFreeMember(Convertor& c, const std::string& name, Member kind, bool repeatable) {
    for (Member found : memberKinds(c, name)) {
        if (found != kind || !repeatable) throw CompileException(res("Error_Name_in_use") + name);
    }
}

void noByteForm(std::string_view statement) {
    throw CompileException(res("Error_No_byte_form") + std::string(statement));
}

std::string bytesOf(InterfaceArguments& arguments) {
    return arguments.retByte().value_or("");
}

std::string poolNumber(Convertor& c, const std::string& name) {
    return std::to_string(c.ctx.library.getByteNa(Helpers::FixVariable(name), c.ctx.debug));
}

}  // namespace compiler
