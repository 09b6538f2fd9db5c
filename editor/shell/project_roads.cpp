#include "project_roads.h"

namespace editor {
namespace {

ProjectRoads* installedRoads = nullptr;

}  // namespace

ProjectRoads* projectRoads() {
    return installedRoads;
}

void setProjectRoads(ProjectRoads* installed) {
    installedRoads = installed;
}

}  // namespace editor
