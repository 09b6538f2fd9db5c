// Writes the API listing of a stub jar (see api_listing.h): the form the checked-in listings under
// standins/tests/data/api/ take, so that a change to the stubs shows as a diff there.
//   api-listing JAR [OUTPUT]     OUTPUT missing: standard output
#include "api_listing.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "suite.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "Usage: api-listing <jar> [<output>]\n";
        return 1;
    }
    auto entries = standins::readJar(argv[1]);
    if (!entries) {
        std::cerr << "api-listing: cannot read " << argv[1] << " as a jar\n";
        return 1;
    }
    std::string listing = standins::apiListing(*entries);
    if (argc == 2) {
        std::cout << listing;
        return std::cout.flush() ? 0 : 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << listing;
    out.close();
    if (!out) {
        std::cerr << "api-listing: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
