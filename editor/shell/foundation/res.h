#pragma once
// The editor's message table "Editor.Res": window and menu titles, tool tips and the main window's
// prompts. The dialogs keep their own texts; everything else that is shown by key comes from here.
#include <QString>
#include <span>
#include <string_view>

namespace editor {

namespace Res {

struct Row {
    std::string_view key;
    std::string_view text;
};

// The whole table, in table order.
std::span<const Row> getContents();

}  // namespace Res

// The text for `key` (exact, case-sensitive). A missing key is a programming fault: it is logged and the
// key itself is shown, so a slip never throws through the event loop. Pass the key as a string literal in
// the call: a test checks each such key against the table.
QString res(std::string_view key);

bool hasMessage(std::string_view key);

}  // namespace editor
