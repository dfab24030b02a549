// Quillaby: an OpenGL underwater screen saver.
#include <cstdio>

int main(int /*argc*/, char** /*argv*/)
{
    std::printf("Quillaby %d.%d\n", QUILLABY_VERSION_MAJOR, QUILLABY_VERSION_MINOR);
    return 0;
}
