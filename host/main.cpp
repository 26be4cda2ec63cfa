// skorvane3-host: a small command-line host for the plug-in.
//
//   skorvane3-host process IN.wav OUT.wav [--set NAME=VALUE ...] [--bypass] [--block N] [--plugin PATH]
//   skorvane3-host describe [--plugin PATH]
//   skorvane3-host gui [--seconds N] [--screenshot FILE.png] [--plugin PATH]
//   skorvane3-host --version

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <initializer_list>
#include <sys/stat.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Skorvane3Version.h"
#include "host/HostString.h"
#include "host/HostAudioFile.h"
#include "host/HostWindow.h"
#include "host/PluginHost.h"

#ifndef SKORVANE3_DEFAULT_PLUGIN
#define SKORVANE3_DEFAULT_PLUGIN "Skorvane3.so"
#endif

using namespace skorvane3host;

namespace
{

// How long gui waits for the editor's first frame before a screenshot.
constexpr double kFirstFrameTimeoutSeconds = 10.0;
constexpr int kDefaultBlockSize = 512, kMaxBlockSize = 65536;

// Exit codes: 0 success, kFailed for a file, module or processing error,
// kWrongUsage for a command line that cannot be run; 128 + N after signal N.
constexpr int kFailed = 1, kWrongUsage = 2;

// The signal that interrupted the run (0: none yet).
volatile std::sig_atomic_t gInterrupted = 0;
// The output being written, whose temporary file a second signal removes
// before the program ends at once.
AudioFileWriter* volatile gPendingOutput = nullptr;

void onSignal (int signal)
{
    if (gInterrupted)
    {
        if (gPendingOutput != nullptr)
            ::unlink (gPendingOutput->pendingPath());
        ::_exit (128 + signal);
    }
    gInterrupted = signal;
}

void usage (FILE* out)
{
    std::fprintf (out,
                  "usage:\n"
                  "  skorvane3-host process IN.wav OUT.wav [--set NAME=VALUE ...] [--bypass] [--block N] [--plugin PATH]\n"
                  "      runs the plug-in over an audio file (WAV or any format libsndfile reads, 1 to 8 channels);\n"
                  "      the output keeps the input's container, sample format, rate and speakers\n"
                  "      NAME is a parameter name or host parameter ID, VALUE its normalized value 0..1\n"
                  "      N is the plug-in's block size, 1 to %d frames (default %d)\n"
                  "  skorvane3-host describe [--plugin PATH]\n"
                  "      prints what the plug-in registers and its host parameters\n"
                  "  skorvane3-host gui [--seconds N] [--screenshot FILE.png] [--plugin PATH]\n"
                  "      opens the plug-in's editor in a window until it is closed (or for N seconds)\n"
                  "  skorvane3-host help | --help | --version\n"
                  "The plug-in is taken from --plugin, else $SKORVANE3_PLUGIN, else %s\n"
                  "Exit status: 0 success, 1 a file, module or processing error, 2 wrong usage,\n"
                  "128+N ended by signal N\n",
                  kMaxBlockSize, kDefaultBlockSize, SKORVANE3_DEFAULT_PLUGIN);
}

int fail (const std::string& message, int code = kFailed)
{
    std::fprintf (stderr, "skorvane3-host: error: %s\n", message.c_str());
    return code;
}

// An error of the plug-in module, named by its path.
int failInModule (const std::string& modulePath, const std::string& message)
{
    return fail ("'" + modulePath + "': " + message);
}

void warn (const std::string& message) { std::fprintf (stderr, "skorvane3-host: warning: %s\n", message.c_str()); }

int interruptedExitCode() { return 128 + gInterrupted; }

struct Options
{
    std::string command;
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> sets;
    bool bypass = false;
    int blockSize = kDefaultBlockSize;
    double seconds = -1.0;
    std::string screenshot;
    std::string plugin;
    std::vector<std::string> given; // the options named, for the check against the command
};

// The options of each command; any other given to it is wrong usage.
bool commandTakes (const std::string& command, const std::string& option)
{
    auto among = [&option] (std::initializer_list<const char*> options) {
        return std::find (options.begin(), options.end(), option) != options.end();
    };
    if (command == "process")
        return among ({ "--set", "--bypass", "--block", "--plugin" });
    if (command == "describe")
        return among ({ "--plugin" });
    if (command == "gui")
        return among ({ "--seconds", "--screenshot", "--plugin" });
    return true; // help, or an unknown command reported as such
}

bool parseNumber (const std::string& text, double& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod (text.c_str(), &end);
    return end != nullptr && *end == '\0' && out == out;
}

bool parseOptions (int argc, char** argv, Options& o, std::string& error)
{
    if (argc < 2)
    {
        error = "no command given";
        return false;
    }
    o.command = argv[1];
    for (int i = 2; i < argc; ++i)
    {
        const std::string a = argv[i];
        auto value = [&] (std::string& out) {
            if (i + 1 >= argc || *argv[i + 1] == '\0')
            {
                error = "option " + a + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (a.rfind ("--", 0) == 0)
            o.given.push_back (a.substr (0, a.find ('=')));
        std::string v;
        if (a == "--set")
        {
            if (! value (v))
                return false;
            const auto eq = v.find ('=');
            if (eq == std::string::npos || eq == 0)
            {
                error = "--set expects NAME=VALUE, got '" + v + "'";
                return false;
            }
            o.sets.emplace_back (v.substr (0, eq), v.substr (eq + 1));
        }
        else if (a.rfind ("--set=", 0) == 0)
        {
            v = a.substr (6);
            const auto eq = v.find ('=');
            if (eq == std::string::npos || eq == 0)
            {
                error = "--set expects NAME=VALUE, got '" + v + "'";
                return false;
            }
            o.sets.emplace_back (v.substr (0, eq), v.substr (eq + 1));
        }
        else if (a == "--bypass")
            o.bypass = true;
        else if (a == "--plugin")
        {
            if (! value (o.plugin))
                return false;
        }
        else if (a == "--block")
        {
            double n = 0;
            if (! value (v) || ! parseNumber (v, n) || n < 1 || n > 65536 || n != static_cast<int> (n))
            {
                if (error.empty())
                    error = "--block expects a whole number from 1 to 65536";
                return false;
            }
            o.blockSize = static_cast<int> (n);
        }
        else if (a == "--seconds")
        {
            if (! value (v) || ! parseNumber (v, o.seconds) || o.seconds < 0)
            {
                if (error.empty())
                    error = "--seconds expects a number of seconds";
                return false;
            }
        }
        else if (a == "--screenshot")
        {
            if (! value (o.screenshot))
                return false;
        }
        else if (a == "-h" || a == "--help")
        {
            o.command = "help";
        }
        else if (a == "--version")
        {
            o.command = "version";
        }
        else if (! a.empty() && a[0] == '-' && a != "-")
        {
            error = "unknown option '" + a + "'";
            return false;
        }
        else
            o.positional.push_back (a);
    }
    for (const auto& option : o.given)
        if (! commandTakes (o.command, option))
        {
            error = o.command + " does not take " + option;
            return false;
        }
    return true;
}

std::string pluginPath (const Options& o)
{
    if (! o.plugin.empty())
        return o.plugin;
    if (const char* env = std::getenv ("SKORVANE3_PLUGIN"))
        if (*env != '\0')
            return env;
    return SKORVANE3_DEFAULT_PLUGIN;
}

//==============================================================================
int runProcess (const Options& o)
{
    if (o.positional.size() != 2)
        return fail ("process needs an input and an output file", kWrongUsage);
    const std::string& inPath = o.positional[0];
    const std::string& outPath = o.positional[1];

    // Everything that can be known about the files is checked before the
    // plug-in is loaded: a long file is not processed to fail at the end.
    std::string error;
    AudioFileReader input;
    if (! input.open (inPath, error))
        return fail (error);
    const AudioFileFormat& format = input.format();
    const int channels = format.channels;
    const AAX_EStemFormat stem = stemFormatForChannels (channels);
    if (stem == AAX_eStemFormat_None)
        return fail ("'" + inPath + "': unsupported channel count " + std::to_string (channels) + " (1 to 8 channels are supported)");
    int outputFormat = 0;
    if (! AudioFileWriter::outputFormatFor (format, outputFormat, error))
        return fail ("cannot write '" + outPath + "': " + error);
    AudioFileWriter output;
    gPendingOutput = &output;
    struct ForgetPendingOutput
    {
        ~ForgetPendingOutput() { gPendingOutput = nullptr; }
    } forget;
    const std::string notWritten = "interrupted; '" + outPath + "' was not written";
    // A FIFO as the output waits here for its reader.
    if (! output.create (outPath, outputFormat, channels, format.sampleRate, error, input.channelMap(), &gInterrupted))
        return gInterrupted ? fail (notWritten, interruptedExitCode()) : fail (error);
    const std::string containerWarning = AudioFileWriter::containerWarning (outPath, outputFormat);
    if (! containerWarning.empty())
        warn (containerWarning);

    const std::string modulePath = pluginPath (o);
    PluginModule module;
    if (! module.load (modulePath, error))
        return fail (error);

    int result = 0;
    {
        auto instance = PluginInstance::create (module, 0, stem, stem, static_cast<float> (format.sampleRate), error);
        if (! instance)
            return failInModule (modulePath, error);

        for (const auto& s : o.sets)
        {
            std::string id;
            if (! instance->findParameter (s.first, id))
            {
                std::string known;
                for (const auto& pid : instance->parameterIDs())
                    known += (known.empty() ? "" : ", ") + instance->parameterName (pid) + " (" + pid + ")";
                return fail ("unknown parameter '" + s.first + "'; known: " + known, kWrongUsage);
            }
            double v = 0.0;
            if (! parseNumber (s.second, v) || v < 0.0 || v > 1.0)
                return fail ("value of " + s.first + " must be a number from 0 to 1, got '" + s.second + "'", kWrongUsage);
            const AAX_Result r = instance->setParameter (id, v);
            if (r != AAX_SUCCESS)
                return failInModule (modulePath, "setting " + s.first + " failed with " + std::to_string (r));
        }
        if (o.bypass)
        {
            HostString bypassID;
            instance->effect()->GetMasterBypassParameter (&bypassID);
            if (bypassID.str().empty())
                return failInModule (modulePath, "the plug-in has no bypass parameter");
            const AAX_Result r = instance->setParameter (bypassID.str(), 1.0);
            if (r != AAX_SUCCESS)
                return failInModule (modulePath, "bypassing failed with " + std::to_string (r));
        }

        // The file is read and written in whole numbers of plug-in blocks,
        // so the plug-in sees the same blocks whatever the buffer size.
        const auto block = static_cast<int64_t> (o.blockSize);
        const int64_t bufferFrames = block * std::max<int64_t> (1, 8192 / block);
        std::vector<std::vector<float>> inBuffer (static_cast<size_t> (channels), std::vector<float> (static_cast<size_t> (bufferFrames)));
        std::vector<std::vector<float>> outBuffer = inBuffer;
        std::vector<float*> inChannels, outChannels;
        for (int c = 0; c < channels; ++c)
        {
            inChannels.push_back (inBuffer[static_cast<size_t> (c)].data());
            outChannels.push_back (outBuffer[static_cast<size_t> (c)].data());
        }
        std::vector<const float*> in (static_cast<size_t> (channels));
        std::vector<float*> out (static_cast<size_t> (channels));

        const int64_t frames = format.frames;
        // A progress line is for a person watching, not for a log.
        const bool showProgress = frames > format.sampleRate * 10 && ::isatty (STDERR_FILENO);
        int lastPercent = -1;
        int64_t done = 0;
        for (;;)
        {
            const int64_t got = input.read (inChannels.data(), bufferFrames, error);
            if (got < 0)
            {
                result = fail (error);
                break;
            }
            if (got == 0)
                break;
            for (int64_t pos = 0; pos < got; pos += block)
            {
                const auto n = static_cast<int> (std::min (block, got - pos));
                for (size_t c = 0; c < static_cast<size_t> (channels); ++c)
                {
                    in[c] = inChannels[c] + pos;
                    out[c] = outChannels[c] + pos;
                }
                instance->process (in.data(), out.data(), n);
            }
            if (gInterrupted)
                break;
            if (! output.write (outChannels.data(), got, error))
            {
                result = fail (error);
                break;
            }
            done += got;
            if (showProgress)
            {
                const auto percent = static_cast<int> (std::min<int64_t> (100, done * 100 / frames));
                if (percent / 5 != lastPercent / 5)
                {
                    std::fprintf (stderr, "\rprocessing %s: %3d%%", inPath.c_str(), percent);
                    std::fflush (stderr);
                    lastPercent = percent;
                }
            }
        }
        if (lastPercent >= 0)
            std::fprintf (stderr, "\n"); // end the progress line
        if (gInterrupted)
            result = fail (notWritten, interruptedExitCode());
        else if (result == 0 && ! output.finish (error))
            result = fail (error);
        else if (result == 0 && done < input.statedFrames())
            warn ("'" + inPath + "' ends early: its header states " + std::to_string (input.statedFrames()) + " frames, "
                  + std::to_string (done) + " read");
    }
    output.abandon();
    module.unload();
    return result;
}

//==============================================================================
std::string propertyText (int32_t id, int32_t value)
{
    switch (id)
    {
        case AAX_eProperty_ManufacturerID:
        case AAX_eProperty_ProductID:
        case AAX_eProperty_PlugInID_Native:
        case AAX_eProperty_PlugInID_AudioSuite:
        {
            char buf[64];
            std::snprintf (buf, sizeof buf, "'%s' (0x%08X)", fourCharText (static_cast<uint32_t> (value)).c_str(),
                           static_cast<unsigned> (value));
            return buf;
        }
        case AAX_eProperty_InputStemFormat:
        case AAX_eProperty_OutputStemFormat:
            return stemFormatName (value);
        default:
            return std::to_string (value);
    }
}

int runDescribe (const Options& o)
{
    if (! o.positional.empty())
        return fail ("describe takes no file arguments", kWrongUsage);
    std::string error;
    const std::string modulePath = pluginPath (o);
    PluginModule module;
    if (! module.load (modulePath, error))
        return fail (error);
    const RecordedDescription& d = module.description();

    std::string packages;
    for (const auto& p : d.packageNames)
        packages += (packages.empty() ? "" : ", ") + p;
    std::printf ("package names: %s\n", packages.c_str());
    std::printf ("package version: %u.%u.%u (0x%X)\n", d.packageVersion >> 16, (d.packageVersion >> 8) & 0xFF,
                 d.packageVersion & 0xFF, d.packageVersion);
    std::printf ("manufacturer: %s\n", d.manufacturerName.c_str());
    for (size_t e = 0; e < d.effects.size(); ++e)
    {
        const RecordedEffect& eff = d.effects[e];
        std::printf ("effect %zu: %s\n", e + 1, eff.effectID.c_str());
        std::string names;
        for (const auto& n : eff.names)
            names += (names.empty() ? "" : ", ") + n;
        std::printf ("  names: %s\n", names.c_str());
        for (uint32_t c : eff.categories)
            std::printf ("  category: 0x%X\n", c);
        for (const auto& p : eff.procPtrs)
            std::printf ("  creation procedure %d: %s\n", p.first,
                         p.first == kAAX_ProcPtrID_Create_EffectParameters ? "effect parameters"
                         : p.first == kAAX_ProcPtrID_Create_EffectGUI      ? "GUI"
                                                                           : "other");
        std::printf ("  components: %zu\n", eff.components.size());
        for (const auto& c : eff.components)
        {
            int32_t in = 0, out = 0;
            c.property (AAX_eProperty_InputStemFormat, in);
            c.property (AAX_eProperty_OutputStemFormat, out);
            std::printf ("    %s -> %s:", stemFormatName (in), stemFormatName (out));
            for (const auto& p : c.properties)
                if (p.first != AAX_eProperty_InputStemFormat && p.first != AAX_eProperty_OutputStemFormat)
                    std::printf (" %d=%s", p.first, propertyText (p.first, p.second).c_str());
            std::printf ("\n");
        }
    }

    {
        auto instance = PluginInstance::create (module, 0, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, 44100.0f, error);
        if (! instance)
            return failInModule (modulePath, error);
        std::printf ("host parameters (stereo instance at 44100 Hz):\n");
        for (const auto& id : instance->parameterIDs())
        {
            int32_t steps = 0;
            AAX_EParameterType type = AAX_eParameterType_Continuous;
            double def = 0.0;
            AAX_CBoolean automatable = 0;
            instance->effect()->GetParameterNumberOfSteps (id.c_str(), &steps);
            instance->effect()->GetParameterType (id.c_str(), &type);
            instance->effect()->GetParameterDefaultNormalizedValue (id.c_str(), &def);
            instance->effect()->GetParameterIsAutomatable (id.c_str(), &automatable);
            HostString shortName;
            instance->effect()->GetParameterNameOfLength (id.c_str(), &shortName, 4);
            std::printf ("  %-15s name \"%s\" short \"%s\" %s steps %d default %g value %g text \"%s\"%s\n", id.c_str(),
                         instance->parameterName (id).c_str(), shortName.str().c_str(),
                         type == AAX_eParameterType_Discrete ? "discrete" : "continuous", steps, def,
                         instance->parameterValue (id), instance->parameterValueText (id).c_str(),
                         automatable ? " automatable" : "");
        }
        std::printf ("chunks:");
        for (AAX_CTypeID id : instance->chunkIDs())
            std::printf (" '%s'", fourCharText (id).c_str());
        std::printf ("\n");
    }
    module.unload();
    return 0;
}

//==============================================================================
// Whether a screenshot can be saved under `path`, checked before the editor
// opens so that a session does not end in a failed save.
bool checkScreenshotPath (const std::string& path, std::string& error)
{
    const auto dot = path.rfind ('.');
    std::string extension = dot == std::string::npos ? "" : path.substr (dot);
    std::transform (extension.begin(), extension.end(), extension.begin(), [] (unsigned char c) {
        return static_cast<char> (std::tolower (c));
    });
    if (extension != ".png")
    {
        error = "--screenshot saves PNG files: the name must end in .png, got '" + path + "'";
        return false;
    }
    struct stat st
    {};
    if (::stat (path.c_str(), &st) == 0 && S_ISDIR (st.st_mode))
    {
        error = "cannot save the screenshot as '" + path + "': " + std::strerror (EISDIR);
        return false;
    }
    const auto slash = path.rfind ('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/"
                                                                             : path.substr (0, slash);
    if (::stat (folder.c_str(), &st) != 0 || ! S_ISDIR (st.st_mode) || ::access (folder.c_str(), W_OK) != 0)
    {
        const int reason = ::stat (folder.c_str(), &st) != 0 ? errno : ! S_ISDIR (st.st_mode) ? ENOTDIR
                                                                                              : EACCES;
        error = "cannot save the screenshot as '" + path + "': folder '" + folder + "': " + std::strerror (reason);
        return false;
    }
    return true;
}

int runGui (const Options& o)
{
    if (! o.positional.empty())
        return fail ("gui takes no file arguments", kWrongUsage);
    std::string error;
    if (! o.screenshot.empty() && ! checkScreenshotPath (o.screenshot, error))
        return fail (error, kWrongUsage);
    HostWindow window;
    if (! window.open ("Skorvane3", 600, 300, error))
        return fail (error);

    const std::string modulePath = pluginPath (o);
    PluginModule module;
    if (! module.load (modulePath, error))
        return fail (error);
    int result = 0;
    {
        auto instance = PluginInstance::create (module, 0, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, 44100.0f, error);
        if (! instance)
            return failInModule (modulePath, error);
        auto editor = PluginEditor::create (*instance, error);
        if (! editor)
            return failInModule (modulePath, error);
        const AAX_Result r = editor->attach (window);
        if (r != AAX_SUCCESS)
            return failInModule (modulePath, "the plug-in could not open its editor (" + std::to_string (r) + ")");
        window.show();

        const auto start = std::chrono::steady_clock::now();
        auto elapsed = [&start] {
            return std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
        };
        while (! gInterrupted && window.pumpEvents())
        {
            if (o.seconds >= 0.0 && elapsed() >= o.seconds)
                break;
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }
        if (! o.screenshot.empty() && ! gInterrupted)
        {
            // The editor paints on the plug-in's own thread some time after
            // the window is shown: wait for its first frame.
            std::vector<unsigned char> image;
            int width = 0, height = 0;
            bool painted = false;
            const double deadline = elapsed() + kFirstFrameTimeoutSeconds;
            while (! painted && ! gInterrupted && elapsed() < deadline)
            {
                window.pumpEvents();
                if (! window.capture (image, width, height, error))
                    break;
                painted = HostWindow::isPainted (image);
                if (! painted)
                    std::this_thread::sleep_for (std::chrono::milliseconds (20));
            }
            const std::string notSaved = "no screenshot saved as '" + o.screenshot + "'";
            if (! error.empty())
                result = fail ("cannot take the screenshot for '" + o.screenshot + "': " + error);
            else if (! painted)
                result = fail (gInterrupted ? "interrupted; " + notSaved
                                            : "the editor showed nothing within " + std::to_string (static_cast<int> (kFirstFrameTimeoutSeconds))
                                                  + " s; " + notSaved);
            else if (! HostWindow::savePng (o.screenshot, image, width, height, error))
                result = fail (error);
            else
                std::fprintf (stderr, "saved %s (%dx%d)\n", o.screenshot.c_str(), width, height);
        }
        editor->detach();
    }
    module.unload();
    window.close();
    return gInterrupted ? interruptedExitCode() : result;
}

} // namespace

int main (int argc, char** argv)
{
    // Every way a terminal or a user ends the program removes the unfinished output.
    for (int signal : { SIGINT, SIGTERM, SIGHUP, SIGQUIT })
        std::signal (signal, onSignal);
    // A FIFO whose reader goes away is reported as a failed write.
    std::signal (SIGPIPE, SIG_IGN);

    Options o;
    std::string error;
    if (! parseOptions (argc, argv, o, error))
    {
        usage (stderr);
        return fail (error, kWrongUsage);
    }
    if (o.command == "help" || o.command == "--help" || o.command == "-h")
    {
        usage (stdout);
        return 0;
    }
    if (o.command == "version" || o.command == "--version")
    {
        std::printf ("skorvane3-host %s\n", Skorvane3Version::kNumber);
        return 0;
    }
    if (o.command == "process")
        return runProcess (o);
    if (o.command == "describe")
        return runDescribe (o);
    if (o.command == "gui")
        return runGui (o);
    usage (stderr);
    return fail ("unknown command '" + o.command + "'", kWrongUsage);
}
