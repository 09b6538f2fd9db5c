#include "expressions/java_file_write.h"
namespace compiler {
JavaFileWrite::JavaFileWrite(Context&, const std::string& filePath, const std::string&) : out_(filePath) {}
}
