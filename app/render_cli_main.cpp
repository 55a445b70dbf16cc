// quillory-render: the chat background renderer for scripts and batch work.

#include "render_cli.h"

int main(int argc, char** argv)
{
    return quillory::RunRenderCommand(std::vector<std::string>(argv + 1, argv + argc));
}
