#include "messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "test_support.h"

namespace build {
namespace {

// Every res("KEY") of Build's sources names a row of the table, which holds each key once; an unknown key
// is refused. The texts themselves are held by the build's golden outputs (build_test.cpp).
TEST(Messages, EveryKeyUsedInTheSourcesExistsOnce) {
    std::set<std::string> keys;
    for (const auto& [key, text] : resTable()) EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;
    EXPECT_THROW(res("No_such_key"), std::out_of_range);
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

}  // namespace
}  // namespace build
