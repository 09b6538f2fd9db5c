// copy-example-project EXAMPLE_FOLDER TO: the scripted tests' way to the one example copy of the C++ tests.
#include <iostream>

#include "test_helpers.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: copy-example-project EXAMPLE_FOLDER TO\n";
        return 2;
    }
    if (!tz::testing::copyExampleProject(argv[1], argv[2])) {
        std::cerr << "copy-example-project: cannot copy the project of " << argv[1] << " to " << argv[2]
                  << "\n";
        return 1;
    }
    return 0;
}
