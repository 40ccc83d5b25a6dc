// The compiler for scenario authors: compiles or checks any line and train
// description with the scenario program's compiler.

#include <iostream>
#include <string>
#include <vector>

#include "author/tool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0), argv + argc);
    return scenario::autore::esegui(argomenti, std::cout, std::cerr);
}
