#include "wave_stream_win.h"

#include <process.h>
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "tone_wave.h"

struct ToneRequest {
    int hz;
    DWORD at;  // tick count when it was asked for
};

struct WaveStream {
    CRITICAL_SECTION lock;  // guards every field below but `wake`
    ToneRequest queue[WAVE_QUEUE_SIZE];
    int queue_first;
    int queue_count;
    int running;      // 1 from a thread's start until it has closed the device for good
    DWORD failed_at;  // tick count of the last failed open, 0 for none
    HANDLE wake;      // set by the device when a block is done, and by new requests
};

static WaveStream& wave_stream()
{
    static WaveStream stream = [] {
        WaveStream s{};
        InitializeCriticalSection(&s.lock);
        s.wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        return s;
    }();
    return stream;
}

// The oldest request due by `due`, taken off the queue, or none (hz -1). Without `take` it is the
// oldest request whatever its time, left in the queue.
static ToneRequest wave_stream_next_request(DWORD due, bool take)
{
    WaveStream& s = wave_stream();
    ToneRequest request{-1, due};
    EnterCriticalSection(&s.lock);
    if (s.queue_count > 0) {
        ToneRequest& oldest = s.queue[s.queue_first];
        if (!take || static_cast<int32_t>(oldest.at - due) <= 0) {
            request = oldest;
            if (take) {
                s.queue_first = (s.queue_first + 1) % WAVE_QUEUE_SIZE;
                s.queue_count--;
            }
        }
    }
    LeaveCriticalSection(&s.lock);
    return request;
}

static WAVEHDR* wave_stream_free_block(WAVEHDR* blocks)
{
    for (int i = 0; i < WAVE_BLOCKS; i++) {
        if ((blocks[i].dwFlags & WHDR_INQUEUE) == 0)
            return &blocks[i];
    }
    return nullptr;
}

// Blocks are written by the clock, not as fast as the device takes them: a device that is still
// starting up, or that buffers a lot, would otherwise receive tones closer together than they were
// asked for. Block k holds the sound of [clock + 5k, clock + 5k + 5) ms and is written once its
// time is within the lookahead; a tone asked for at t starts in the block of t + lookahead, which
// is written about when the request comes, so every tone has the same delay. The clock starts
// when the first tone was asked for, so opening the device does not shorten the distance between
// the first tones either.
static void wave_stream_feed(HWAVEOUT device, WAVEHDR* blocks, HANDLE wake)
{
    ToneWave tone{};
    DWORD now = GetTickCount();
    ToneRequest first = wave_stream_next_request(0, false);
    DWORD open_delay = first.hz >= 0 ? now - first.at : 0;
    DWORD block_at = now - (open_delay < static_cast<DWORD>(WAVE_OPEN_CATCH_UP_MS) ? open_delay : WAVE_OPEN_CATCH_UP_MS);
    DWORD last_sound = now;
    for (;;) {
        now = GetTickCount();
        while (static_cast<int32_t>(block_at - now) <= WAVE_LOOKAHEAD_MS) {
            WAVEHDR* block = wave_stream_free_block(blocks);
            if (block == nullptr) {
                // The device has stopped taking blocks for now: let the clock slip.
                block_at = now;
                break;
            }
            ToneRequest request = wave_stream_next_request(block_at + WAVE_BLOCK_MS - 1 - WAVE_LOOKAHEAD_MS, true);
            if (request.hz >= 0)
                tone_wave_start(&tone, request.hz, WAVE_RATE_HZ);
            int16_t* samples = reinterpret_cast<int16_t*>(block->lpData);
            if (tone_wave_fill(&tone, samples, WAVE_BLOCK_SAMPLES) > 0 || request.hz >= 0)
                last_sound = now;
            waveOutWrite(device, block, sizeof *block);
            block_at += WAVE_BLOCK_MS;
        }
        if (now - last_sound > static_cast<DWORD>(WAVE_IDLE_CLOSE_MS) && wave_stream_next_request(0, false).hz < 0)
            return;
        WaitForSingleObject(wake, 2);
    }
}

// Plays until no tone has sounded for WAVE_IDLE_CLOSE_MS. Returns 0 if the device could not be
// opened.
static int wave_stream_play(HANDLE wake)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = WAVE_RATE_HZ;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = WAVE_RATE_HZ * 2;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(wake), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR)
        return 0;
    static int16_t samples[WAVE_BLOCKS][WAVE_BLOCK_SAMPLES];
    static WAVEHDR blocks[WAVE_BLOCKS];
    for (int i = 0; i < WAVE_BLOCKS; i++) {
        blocks[i] = WAVEHDR{};
        blocks[i].lpData = reinterpret_cast<LPSTR>(samples[i]);
        blocks[i].dwBufferLength = sizeof samples[i];
        waveOutPrepareHeader(device, &blocks[i], sizeof blocks[i]);
    }
    wave_stream_feed(device, blocks, wake);
    waveOutReset(device);
    for (int i = 0; i < WAVE_BLOCKS; i++)
        waveOutUnprepareHeader(device, &blocks[i], sizeof blocks[i]);
    waveOutClose(device);
    return 1;
}

// A request that comes while the device is being closed is not lost: the thread looks once more
// before it ends and opens the device again.
static unsigned __stdcall wave_stream_thread(void*)
{
    WaveStream& s = wave_stream();
    for (;;) {
        int opened = wave_stream_play(s.wake);
        EnterCriticalSection(&s.lock);
        if (!opened) {
            s.failed_at = GetTickCount() | 1;
            s.queue_count = 0;
        }
        if (s.queue_count == 0) {
            s.running = 0;
            LeaveCriticalSection(&s.lock);
            return 0;
        }
        LeaveCriticalSection(&s.lock);
    }
}

// Without a device the request is dropped, and no new attempt is made for a while, so that a
// missing device costs the tick nothing.
void wave_stream_request(int frequency_hz)
{
    WaveStream& s = wave_stream();
    EnterCriticalSection(&s.lock);
    DWORD now = GetTickCount();
    bool retry_later = s.failed_at != 0 && now - s.failed_at < static_cast<DWORD>(WAVE_RETRY_MS);
    if (!retry_later) {
        if (s.queue_count == WAVE_QUEUE_SIZE) {
            s.queue_first = (s.queue_first + 1) % WAVE_QUEUE_SIZE;
            s.queue_count--;
        }
        s.queue[(s.queue_first + s.queue_count) % WAVE_QUEUE_SIZE] = ToneRequest{frequency_hz, now};
        s.queue_count++;
        if (!s.running) {
            uintptr_t thread = _beginthreadex(nullptr, 0, wave_stream_thread, nullptr, 0, nullptr);
            if (thread != 0) {
                s.running = 1;
                CloseHandle(reinterpret_cast<HANDLE>(thread));
            }
        }
    }
    LeaveCriticalSection(&s.lock);
    SetEvent(s.wake);
}

int wave_stream_running()
{
    WaveStream& s = wave_stream();
    EnterCriticalSection(&s.lock);
    int running = s.running;
    LeaveCriticalSection(&s.lock);
    return running;
}
