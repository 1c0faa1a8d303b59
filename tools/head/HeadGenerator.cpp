// Writes the model the program shows at start-up. Run from the source root:
//     quorvane-generate-head [output]        (default data/head.obj)
// The output is the same bytes on every run; the committed data/head.obj is
// this program's output.

#include "tools/head/HeadModel.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "data/head.obj";
    const std::string text = Quorvane::headObjText();
    // Binary mode: '\n' line ends on every platform, so the bytes match.
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "quorvane-generate-head: cannot write " << path << '\n';
        return 1;
    }
    return 0;
}
