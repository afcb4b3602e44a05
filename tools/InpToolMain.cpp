#include "archive/ArchiveText.h"
#include "tools/InpTool.h"

#include <iostream>

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(ToArchiveText(argv[i]));
    }
    return RunInpTool(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8ToUtf16(argv[i]));
    }
    return RunInpTool(args, std::cout, std::cerr);
}
#endif
