#include <gtest/gtest.h>

#include "res.h"

namespace editor {
namespace {

// The texts the editor shows are held where it shows them (the menus, the output pane, the dialogs'
// tests); here, that each row's text comes out whole, in UTF-8. Unknown and repeated keys do not compile.
TEST(EditorMessages, EveryRowGivesItsText) {
    const std::span<const Res::Row> rows = Res::getContents();
    ASSERT_FALSE(rows.empty());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(Res::text(i).toStdString(), rows[i].text) << rows[i].key;
}

}  // namespace
}  // namespace editor
