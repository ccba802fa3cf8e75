#include <iostream>
#include <string>
#include <vector>

#include "ConverterTool.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunConverterTool(args, std::cout, std::cerr);
}
