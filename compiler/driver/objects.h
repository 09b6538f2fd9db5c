#pragma once

namespace compiler {

// Registry of the program's objects (images, sprites, canvases, forms ...).
class Objects {
public:
};

}  // namespace compiler
