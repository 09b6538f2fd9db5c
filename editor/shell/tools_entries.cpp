#include "tools_entries.h"

namespace editor {

void openFtpTool(Editor&) {}

void openUpdateCheck(Editor&) {}

}  // namespace editor
