#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"

namespace compiler {

// The lines of the CompileException that `action` raises; none when it returns.
inline std::vector<std::string> problemsOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CompileException& e) {
        return e.problems();
    }
    return {};
}

// Makes `word` the part of the program being translated: "SYSTEM", "GLOBAL", "MAIN", "PAUSE", "END" and
// "ACTION" their sections, any other word the user function of that name.
inline void enterOwner(Functions& functions, const std::string& word) {
    for (OwnerKind kind : {OwnerKind::System, OwnerKind::Global, OwnerKind::Main, OwnerKind::Pause,
                           OwnerKind::End, OwnerKind::Action}) {
        if (word == ownerWord(kind)) return functions.enter(kind);
    }
    functions.enter(OwnerKind::Function, word);
}

// A run as the statement translator finds it once made: system variables registered, declaration
// section open.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() {
        ctx.project.platform = "TB";
        ctx.library.instantiate();
        ctx.variables.addSystemVars();
        ctx.functions.enter(OwnerKind::Global);
    }
    void enter(const std::string& function, const std::string& type = "") {
        enterOwner(ctx.functions, function);
        ctx.scope.CurrentType = type;
    }

    std::ostringstream out;
    Context ctx{out, false};
};

}  // namespace compiler
