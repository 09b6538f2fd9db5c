#include "project_roads.h"

namespace editor {
namespace {

ProjectRoads* installedRoads = nullptr;
ProjectTools* installedTools = nullptr;

}  // namespace

ProjectRoads* projectRoads() {
    return installedRoads;
}

void setProjectRoads(ProjectRoads* installed) {
    installedRoads = installed;
}

ProjectTools* projectTools() {
    return installedTools;
}

void setProjectTools(ProjectTools* installed) {
    installedTools = installed;
}

}  // namespace editor
