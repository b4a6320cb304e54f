#include "render_progress.h"

#include <chrono>
#include <cstdio>

#include "render_os.h"
#include "render_state.h"

constexpr int64_t PROGRESS_DELAY_NS = 500000000;     // quiet for work shorter than this
constexpr int64_t PROGRESS_INTERVAL_NS = 100000000;  // at most ten updates a second

static int64_t progress_now_ns()
{
    auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since_start).count();
}

void render_progress_begin(const char* label)
{
    Progress& p = render.progress;
    p.enabled = render_os_stderr_is_terminal();
    p.shown = 0;
    p.label = label;
    p.started_ns = progress_now_ns();
    p.last_shown_ns = p.started_ns;
}

int render_progress_due()
{
    Progress& p = render.progress;
    if (!p.enabled)
        return 0;
    int64_t now = progress_now_ns();
    if (now - p.started_ns < PROGRESS_DELAY_NS || now - p.last_shown_ns < PROGRESS_INTERVAL_NS)
        return 0;
    p.last_shown_ns = now;
    return 1;
}

void render_progress_show(const char* text)
{
    Progress& p = render.progress;
    std::fprintf(stderr, "\rtonkle-render: %s %s   ", p.label, text);
    std::fflush(stderr);
    p.shown = 1;
}

void render_progress_end()
{
    Progress& p = render.progress;
    if (!p.shown)
        return;
    std::fprintf(stderr, "\r%78s\r", "");
    std::fflush(stderr);
    p.shown = 0;
}
