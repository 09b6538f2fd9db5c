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

// A run as the statement translator finds it once made: system variables registered, declaration
// section open.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() {
        ctx.project.platform = "TB";
        ctx.library.instantiate();
        ctx.variables.addSystemVars();
        ctx.functions.CurrentFunction = "GLOBAL";
    }
    void enter(const std::string& function, const std::string& type = "") {
        ctx.functions.CurrentFunction = function;
        ctx.scope.CurrentType = type;
    }

    std::ostringstream out;
    Context ctx{out, false};
};

}  // namespace compiler
