// tonkle-render: the song player without its window, on a simulated timer, for terminals,
// scripts and tests.
#include "player_state.h"
#include "render_info.h"
#include "render_options.h"
#include "render_os.h"
#include "render_state.h"
#include "render_trace.h"
#include "render_usage.h"
#include "render_wav.h"

static int render_run_command()
{
    switch (render.options.command) {
    case COMMAND_INFO:
        return render_info();
    case COMMAND_TRACE:
        return render_trace();
    default:
        return render_wav();
    }
}

int main(int argc, char** argv)
{
    render_os_prepare_console();
    if (!render_options_parse(argc, argv)) {
        render_usage_brief(stderr, render.options.command);
        return EXIT_USAGE;
    }
    if (render.options.help) {
        render_usage_print(stdout, render.options.command);
        return EXIT_OK;
    }
    // As the main window does when it is created: the player starts empty.
    player_reset();
    int exit_code = render_run_command();
    if (exit_code == EXIT_USAGE)
        render_usage_brief(stderr, render.options.command);
    return exit_code;
}
