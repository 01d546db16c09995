#include "app/startup.h"

int main(int argc, char* argv[])
{
    return runQuillbid(argc, argv);
}
