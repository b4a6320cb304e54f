#include "bench_seam.h"

#include "platform.h"

BenchSeamLog bench_seam_log;

static int64_t refresh_calls;

void bench_refresh(int, int32_t)
{
    refresh_calls++;
}

void platform_post_stop(MainWindow)
{
    bench_seam_log.stop_posts++;
}

void platform_start_tone(int)
{
    bench_seam_log.tones++;
}
