// Widgets of the phone's user interface (buttons, forms, text fields, labels, lists) and the statements
// that show, fill and listen to them.
#include <memory>
#include <string>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "statements/convertor.h"
#include "statements/members.h"
#include "statements/screen_statements.h"

namespace compiler {
namespace {

using screen::bytesOf;
using screen::hasArguments;
using screen::nameFrame;
using screen::noByteForm;
using screen::notOnThisTarget;

// Widgets are fields of the generated class, so they are declared before the main section opens.
void requireDeclarationSection(const Convertor& c, MessageKey key) {
    if (c.ctx.functions.CurrentKind != OwnerKind::Global) throw CompileException(res(key));
}

// An argument slot the Java call needs came out empty (a missing or doubled argument).
void requireFilled(std::initializer_list<const std::string*> parts) {
    for (const std::string* part : parts) {
        if (part->empty()) throw CompileException(res("Error_Number_of"));
    }
}

std::unique_ptr<InterfaceArguments> arguments(Convertor& c) {
    return newArguments(c.ctx);
}

bool isCanvasOrForm(const Convertor& c, const std::string& name) {
    Helpers helpers(c.ctx);
    return helpers.Canvas(name) >= 0 || helpers.Form(name) >= 0;
}

// BUTTON.SHOW and BUTTON.HIDE: T1 a canvas or form, T3 a button.
// In byte tokens `code` and the button's name: the runtime shows it on the current screen.
std::string commandOnScreen(Convertor& c, std::string_view call, std::string_view code, MessageKey countKey,
                            MessageKey screenKey, MessageKey buttonKey) {
    if (c.tokenCount() != 4) throw CompileException(res(countKey));
    if (!isCanvasOrForm(c, c.token(1))) throw CompileException(res(screenKey));
    if (Helpers(c.ctx).Button(c.token(3)) < 0) throw CompileException(res(buttonKey));
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(nameFrame(code, c.token(3)));
        return "TBD";
    }
    return c.token(1) + "." + std::string(call) + "(" + c.token(3) + ");";
}

}  // namespace

std::optional<std::string> buttonStatement(Convertor& c) {
    if (c.ctx.project.isApplet()) notOnThisTarget();
    requireDeclarationSection(c, "Error_Buttons_must_be");
    if (!hasArguments(c, 3)) throw CompileException(res("Error_Number_of"));
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    const std::string label = a->HandleArguments("S", 1, 2);
    const std::string priority = a->HandleArguments("I", 1, 3);
    requireFilled({&name, &label, &priority});
    requireFreeMember(c, c.token(1), Member::Widget, false);
    c.ctx.objects.addButton(c.token(1));
    if (!c.ctx.project.isJ2ME()) {
        c.out.writeByte(std::string(ByteCodes::guiButton) + bytesOf(*a));
        return std::string("TBD");
    }
    return "Command " + name + " = new Command(" + label + ",Command.SCREEN," + priority + ");";
}

std::optional<std::string> formStatement(Convertor& c) {
    if (!c.ctx.project.isJ2ME()) notOnThisTarget();
    requireDeclarationSection(c, "Error_Forms_must_be");
    if (!hasArguments(c, 2)) throw CompileException(res("Error_Form_requires"));
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    const std::string title = a->HandleArguments("S", 1, 2);
    requireFreeMember(c, c.token(1), Member::Widget, false);
    c.ctx.objects.addForm(c.token(1));
    return "Form " + name + " = new Form(" + title + ");";
}

std::optional<std::string> textboxStatement(Convertor& c) {
    if (!c.ctx.project.isJ2ME()) notOnThisTarget();
    requireDeclarationSection(c, "Error_Textboxes_must");
    if (!hasArguments(c, 5)) throw CompileException(res("Error_TextBox"));
    if (c.tokenCount() != 10) throw CompileException(res("Error_Textbox_expects"));
    // The field's input constraint; 2 is the profile's NUMERIC.
    static const char* const kConstraints[] = {"TextField.ANY",         "TextField.EMAILADDR",
                                               "TextField.NUMERIC",     "TextField.PASSWORD",
                                               "TextField.PHONENUMBER", "TextField.URL"};
    const std::string& word = c.token(9);
    if (word.size() != 1 || word[0] < '0' || word[0] > '5')
        throw CompileException(res("Error_Contraint_must"));
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    const std::string rest = a->HandleArguments("S,S,I,", 1, 2);
    requireFreeMember(c, c.token(1), Member::Widget, false);
    c.ctx.objects.addTextbox(c.token(1));
    return "TextField " + name + " = new TextField(" + rest + kConstraints[word[0] - '0'] + ");";
}

std::optional<std::string> labelStatement(Convertor& c) {
    if (!c.ctx.project.isJ2ME()) notOnThisTarget();
    requireDeclarationSection(c, "Error_Labels_must_be");
    if (!hasArguments(c, 3)) throw CompileException(res("Error_Label_requires"));
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    const std::string texts = a->HandleArguments("S,S", 1, 2);
    requireFreeMember(c, c.token(1), Member::Widget, false);
    c.ctx.objects.addLabel(c.token(1));
    return "StringItem " + name + " = new StringItem(" + texts + ");";
}

std::optional<std::string> listStatement(Convertor& c) {
    if (!c.ctx.project.isJ2ME()) notOnThisTarget();
    requireDeclarationSection(c, "Error_Lists_must_be");
    if (!hasArguments(c, 3)) throw CompileException(res("Error_List_requires"));
    if (c.tokenCount() != 6) throw CompileException(res("Error_List_expects"));
    static const char* const kTypes[] = {",Choice.EXCLUSIVE", ",Choice.IMPLICIT", ",Choice.MULTIPLE"};
    const std::string& word = c.token(5);
    if (word.size() != 1 || word[0] < '0' || word[0] > '2') throw CompileException(res("Error_List_Type"));
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    const std::string title = a->HandleArguments("S", 1, 2);
    requireFreeMember(c, c.token(1), Member::Widget, false);
    c.ctx.objects.addList(c.token(1));
    return "List " + name + " = new List(" + title + kTypes[word[0] - '0'] + ");";
}

std::optional<std::string> buttonShowStatement(Convertor& c) {
    return commandOnScreen(c, "addCommand", ByteCodes::guiButtonS, "Error_Button_Show", "Error_Button_Canvas",
                           "Error_Button_Name");
}

std::optional<std::string> buttonHideStatement(Convertor& c) {
    return commandOnScreen(c, "removeCommand", ByteCodes::guiButtonH, "Error_Button_Hide",
                           "Error_Canvas_or_Form", "Error_Button_name_is");
}

std::optional<std::string> listAppendStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) noByteForm("LIST.APPEND");
    auto a = arguments(c);
    c.Temp = a->HandleArguments("n,S", 1, 1);
    if (c.tokenCount() != 4 || c.token(2) != ",") throw CompileException(res("Error_List_Append"));
    if (Helpers(c.ctx).List(c.token(1)) < 0) throw CompileException(res("Error_List_Append"));
    // The element text as translated: a string variable loses its "$".
    const std::string text = arguments(c)->HandleArguments("S", 1, 2);
    return c.token(1) + ".append(" + text + " ,null);";
}

std::optional<std::string> textboxShowStatement(Convertor& c) {
    if (c.tokenCount() != 4) throw CompileException(res("Error_Textbox_Show"));
    if (Helpers(c.ctx).Form(c.token(1)) < 0) throw CompileException(res("Error_Form_is_invalid"));
    if (Helpers(c.ctx).TextBox(c.token(3)) < 0) throw CompileException(res("Error_Textbox_Name"));
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(nameFrame(ByteCodes::guiTextboxS, c.token(3)));
        return std::string("TBD");
    }
    return c.token(1) + ".append(" + c.token(3) + ");";
}

std::optional<std::string> formRemoveStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) noByteForm("FORM.REMOVE");
    if (c.tokenCount() != 4 || Helpers(c.ctx).Form(c.token(1)) < 0 || !screen::isNumberWord(c.token(3))) {
        throw CompileException(res("Error_Form_Remove"));
    }
    return c.token(1) + ".delete(" + c.token(3) + ");";
}

std::optional<std::string> alertStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) noByteForm("ALERT");
    if (!hasArguments(c, 4)) throw CompileException(res("Error_Alert_requires"));
    if (c.ctx.project.isApplet()) notOnThisTarget();
    auto a = arguments(c);
    const std::string texts = a->HandleArguments("S,S,i", 1, 1);
    const std::string timeout = a->HandleArguments("I", 1, 4);
    return "alert = new Alert(" + texts + ",AlertType.INFO); alert.setTimeout(" + timeout +
           "); Display.getDisplay(" + screen::programObject(c) + ").setCurrent(alert);";
}

std::optional<std::string> setDisplayStatement(Convertor& c) {
    if (!hasArguments(c, 1) || !isCanvasOrForm(c, c.token(1)))
        throw CompileException(res("Error_SetDisplay"));
    if (c.ctx.project.isJ2ME())
        return "display.setCurrent(" + arguments(c)->HandleArguments("n", 1, 1) + ");";
    if (c.ctx.project.isApplet()) {
        // Laid out at once: the panel shows its one canvas at the applet's size, also after the page is up.
        return "MainPanel.removeAll(); MainPanel.add(" + arguments(c)->HandleArguments("n", 1, 1) +
               "); MainPanel.validate();";
    }
    // The name bytes go through Write, unframed, between the name codes.
    c.out.writeByte(std::string(ByteCodes::setDisplay) + std::string(ByteCodes::nameS));
    c.out.Write(c.token(1));
    c.out.writeByte(std::string(ByteCodes::nameE) + std::string(ByteCodes::endData));
    return std::string("TBD");
}

std::optional<std::string> listenerStatement(Convertor& c) {
    if (!hasArguments(c, 1)) throw CompileException(res("Error_Listener"));
    const std::string& name = c.token(1);
    if (!isCanvasOrForm(c, name)) throw CompileException(res("Error_Listener_cannot"));
    const Project& project = c.ctx.project;
    if (project.isJ2ME()) {
        return arguments(c)->HandleArguments("n", 1, 1) + ".setCommandListener(" + screen::programObject(c) +
               ");";
    }
    if (project.isApplet()) {
        if (Helpers(c.ctx).Canvas(name) >= 0) throw CompileException(res("Error_A_canvas_cannot"));
        return arguments(c)->HandleArguments("n", 1, 1) + ".addActionListener(" + screen::programObject(c) +
               ");";
    }
    if (!project.isPC() && !project.isMSPC()) notOnThisTarget();
    c.out.writeByte(std::string(ByteCodes::setListener) + std::string(ByteCodes::nameS));
    c.out.Write(name);
    c.out.writeByte(std::string(ByteCodes::nameE) + std::string(ByteCodes::endData));
    return std::string("TBD");
}

std::optional<std::string> repaintStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(ByteCodes::repaint);
        return std::string("TBD");
    }
    return std::string("repaint();");
}

}  // namespace compiler
