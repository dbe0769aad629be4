// Registered as the program that opens .html files in a test prefix: copies the file it is
// given to %TEMP%\bw_opened\<n>.html and notes its path in %TEMP%\bw_opened\opened.txt.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "bw_opened";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string list = folder + "\\opened.txt";
    int count = 0;
    if (FILE* f = std::fopen(list.c_str(), "r")) {
        char line[1024];
        while (std::fgets(line, sizeof line, f)) ++count;
        std::fclose(f);
    }
    const std::string copy = folder + "\\" + std::to_string(count + 1) + ".html";
    CopyFileA(argv[1], copy.c_str(), FALSE);
    if (FILE* f = std::fopen(list.c_str(), "a")) {
        std::fprintf(f, "%s\n", argv[1]);
        std::fclose(f);
    }
    return 0;
}
