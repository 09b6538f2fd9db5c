#include "messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "test_support.h"

namespace build {
namespace {

TEST(Messages, EveryKeyUsedInTheSourcesExists) {
    std::regex call(R"re(\bres\("([^"]*)"\))re");
    int calls = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TZ_BUILDER_DIR)) {
        auto extension = entry.path().extension();
        if (entry.path().string().find("/tests/") != std::string::npos) continue;
        if (extension != ".cpp" && extension != ".h") continue;
        std::string text = testing::readFile(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it, ++calls)
            EXPECT_NO_THROW(res((*it)[1].str())) << entry.path() << ": " << (*it)[1];
    }
    EXPECT_GT(calls, 20);
}

TEST(Messages, TableHasTheTwentySixKeysOnce) {
    std::set<std::string> keys;
    for (const auto& [key, text] : resTable()) keys.insert(key);
    EXPECT_EQ(resTable().size(), 26u);
    EXPECT_EQ(keys.size(), 26u);
    EXPECT_THROW(res("No_such_key"), std::out_of_range);
}

TEST(Messages, TextsThatScriptsMatch) {
    EXPECT_EQ(res("Error_Could_not"), "Error: Could not access project descriptor file \"");
    EXPECT_EQ(res("Error_The_number_of"),
              "Error: The number of arguments is incorrect, please ensure that you have provided the "
              "descriptor file");
    EXPECT_EQ(res("Determing_Compilation"), "Determing Compilation & Build Tasks");
    EXPECT_EQ(res("Executing_Finished"), "Execution Finished");
}

}  // namespace
}  // namespace build
