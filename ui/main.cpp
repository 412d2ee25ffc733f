#include "Startup.h"

int main(int argc, char* argv[])
{
    return shulin::RunProgram(argc, argv);
}
