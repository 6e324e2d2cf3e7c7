// mkpack OUTPUT NUMBER=FILE ...
// Makes the resource pack that the program searches for numbered resources it lacks.
#include "platform/ResourcePack.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkpack OUTPUT NUMBER=FILE ...\n");
        return 2;
    }
    std::map<std::uint16_t, std::vector<std::uint8_t>> resources;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        const std::string digits = arg.substr(0, eq);
        const bool numeric = !digits.empty() && digits.size() <= 5 &&
                             digits.find_first_not_of("0123456789") == std::string::npos;
        const unsigned long number = numeric ? std::stoul(digits) : 0;
        if (eq == std::string::npos || !numeric || number > 0xFFFF) {
            std::fprintf(stderr, "mkpack: '%s' is not NUMBER=FILE\n", argv[i]);
            return 2;
        }
        std::ifstream in(arg.substr(eq + 1), std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "mkpack: cannot read %s\n", arg.substr(eq + 1).c_str());
            return 1;
        }
        resources[static_cast<std::uint16_t>(number)].assign(
            std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!pestrol::ResourcePack::Write(argv[1], resources)) {
        std::fprintf(stderr, "mkpack: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
