// The command-line host over whole files: how much a file run costs beyond
// the plug-in's own processing, and how much memory a long file takes.
//
// BM_ProcessFile60s: `skorvane3-host process` over 60 s of stereo 48 kHz
// 16-bit audio; counter "x_plugin" is its wall time divided by the time the
// plug-in alone takes for the same audio in the same blocks (measured in the
// same run, alternating with the host runs, "plugin_s"), so it shows what
// reading, writing and starting up add. Both are the fastest of their runs,
// the least disturbed by other work on the machine; "x_plugin_cpu" is the
// same ratio of processor time (user and system). BM_PeakMemory60min: the host's peak resident memory ("peak_rss_MB")
// for a 60-minute stereo 48 kHz file.

#include <benchmark/benchmark.h>

#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "host/HostAudioFile.h"
#include "host/PluginHost.h"

using namespace skorvane3host;

namespace
{
constexpr int kRate = 48000;
constexpr int kBlock = 512;

std::string tempFile (const char* name) { return std::string (P_tmpdir) + "/skorvane3_hostfile_bench_" + name; }

// A stereo 16-bit file of `seconds` of tone and noise, written block by block.
bool writeInput (const std::string& path, int64_t seconds)
{
    AudioFileWriter writer;
    std::string error;
    if (! writer.create (path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, error))
        return false;
    std::vector<float> left (kRate), right (kRate);
    uint32_t seed = 1;
    for (int64_t s = 0; s < seconds; ++s)
    {
        for (size_t i = 0; i < left.size(); ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            const double t = static_cast<double> (s * kRate + static_cast<int64_t> (i)) / kRate;
            left[i] = static_cast<float> (0.5 * std::sin (2 * M_PI * 220 * t) + (seed >> 8) / 16777216.0 * 0.1 - 0.05);
            right[i] = static_cast<float> (0.5 * std::sin (2 * M_PI * 330 * t));
        }
        const float* channels[] = { left.data(), right.data() };
        if (! writer.write (channels, kRate, error))
            return false;
    }
    return writer.finish (error);
}

struct HostRun
{
    bool ok = false;
    double seconds = 0.0, cpuSeconds = 0.0;
    long peakKilobytes = 0;
};

// The peak resident memory of the running host, in kB (0 before it has
// started, that is while the child is still the copy of this benchmark that
// fork made, and once it has exited). Read from /proc rather than taken from
// wait4: the rusage maximum also counts that copy.
long peakResidentKilobytes (pid_t pid)
{
    std::FILE* f = std::fopen (("/proc/" + std::to_string (pid) + "/status").c_str(), "r");
    if (f == nullptr)
        return 0;
    char line[256];
    char name[64] = {};
    long kilobytes = 0;
    while (std::fgets (line, sizeof line, f) != nullptr)
    {
        std::sscanf (line, "Name: %63s", name);
        if (std::sscanf (line, "VmHWM: %ld kB", &kilobytes) == 1)
            break;
    }
    std::fclose (f);
    return std::string (name) == "skorvane3-host" ? kilobytes : 0;
}

// Runs the host executable with its progress line discarded. With
// `watchMemory` its peak memory is sampled every 10 ms while it runs (which
// makes the measured time less exact).
HostRun runHost (const std::string& in, const std::string& out, bool watchMemory = false)
{
    HostRun run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0)
        return run;
    if (child == 0)
    {
        std::freopen ("/dev/null", "w", stderr);
        ::execl (SKORVANE3_HOST_PATH, SKORVANE3_HOST_PATH, "process", in.c_str(), out.c_str(), "--plugin", SKORVANE3_PLUGIN_PATH,
                 static_cast<char*> (nullptr));
        ::_exit (127);
    }
    int status = 0;
    struct rusage usage
    {};
    if (watchMemory)
        while (::wait4 (child, &status, WNOHANG, &usage) == 0)
        {
            run.peakKilobytes = std::max (run.peakKilobytes, peakResidentKilobytes (child));
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }
    else
        ::wait4 (child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
    run.ok = WIFEXITED (status) && WEXITSTATUS (status) == 0;
    run.cpuSeconds = static_cast<double> (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                     + static_cast<double> (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return run;
}

double threadCpuSeconds()
{
    timespec t {};
    ::clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double> (t.tv_sec) + static_cast<double> (t.tv_nsec) * 1e-9;
}

struct PluginRun
{
    double seconds = 0.0, cpuSeconds = 0.0;
};

// The plug-in alone over the audio of `path` (held in memory), in the
// host's blocks.
PluginRun pluginAlone (const std::string& path)
{
    AudioFileReader reader;
    std::string error;
    if (! reader.open (path, error) || reader.format().channels != 2)
        return {};
    const auto frames = static_cast<size_t> (reader.format().frames);
    std::vector<float> inL (frames), inR (frames), outL (frames), outR (frames);
    float* channels[] = { inL.data(), inR.data() };
    if (reader.read (channels, static_cast<int64_t> (frames), error) != static_cast<int64_t> (frames))
        return {};

    PluginModule module;
    if (! module.load (SKORVANE3_PLUGIN_PATH, error))
        return {};
    PluginRun run;
    {
        auto instance = PluginInstance::create (module, 0, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, kRate, error);
        if (! instance)
            return {};
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuSeconds();
        for (size_t pos = 0; pos < frames; pos += kBlock)
        {
            const float* in[] = { inL.data() + pos, inR.data() + pos };
            float* out[] = { outL.data() + pos, outR.data() + pos };
            instance->process (in, out, static_cast<int> (std::min<size_t> (kBlock, frames - pos)));
        }
        benchmark::DoNotOptimize (outL.data());
        run.seconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
        run.cpuSeconds = threadCpuSeconds() - cpuStart;
    }
    module.unload();
    return run;
}

void BM_ProcessFile60s (benchmark::State& state)
{
    const std::string in = tempFile ("60s.wav"), out = tempFile ("60s_out.wav");
    if (! writeInput (in, 60))
    {
        state.SkipWithError ("cannot write the input file");
        return;
    }
    double host = 1e9, hostCpu = 1e9, plugin = 1e9, pluginCpu = 1e9;
    for (auto _ : state)
    {
        const HostRun run = runHost (in, out);
        if (! run.ok)
        {
            state.SkipWithError ("the host failed");
            break;
        }
        state.SetIterationTime (run.seconds);
        host = std::min (host, run.seconds);
        hostCpu = std::min (hostCpu, run.cpuSeconds);
        state.PauseTiming();
        const PluginRun alone = pluginAlone (in);
        plugin = std::min (plugin, alone.seconds);
        pluginCpu = std::min (pluginCpu, alone.cpuSeconds);
        state.ResumeTiming();
    }
    state.counters["host_s"] = host;
    state.counters["plugin_s"] = plugin;
    state.counters["x_plugin"] = host / plugin;
    state.counters["x_plugin_cpu"] = hostCpu / pluginCpu;
    std::remove (in.c_str());
    std::remove (out.c_str());
}
BENCHMARK (BM_ProcessFile60s)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (10);

void BM_PeakMemory60min (benchmark::State& state)
{
    const std::string in = tempFile ("60min.wav"), out = tempFile ("60min_out.wav");
    if (! writeInput (in, 60 * 60))
    {
        state.SkipWithError ("cannot write the input file");
        return;
    }
    long peak = 0;
    for (auto _ : state)
    {
        const HostRun run = runHost (in, out, true);
        if (! run.ok)
        {
            state.SkipWithError ("the host failed");
            break;
        }
        state.SetIterationTime (run.seconds);
        peak = std::max (peak, run.peakKilobytes);
    }
    state.counters["peak_rss_MB"] = static_cast<double> (peak) / 1024.0;
    std::remove (in.c_str());
    std::remove (out.c_str());
}
BENCHMARK (BM_PeakMemory60min)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (1);
} // namespace
