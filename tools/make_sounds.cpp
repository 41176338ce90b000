// SPDX-License-Identifier: GPL-3.0-or-later
// make_sounds.cpp: synthesises every skin's sound effects from recipes and renders its music
// loops from written scores, and writes them as OGG Vorbis files; run by hand when the sounds
// are to be remade:
//   make_sounds <sources dir> <content dir> [file name ...]
// For every skin of <content dir>/skins/skins.txt it reads <sources dir>/<skin>/effects.txt
// (one recipe a sound) and <sources dir>/<skin>/<music file>.score (one score a loop), and
// writes each file of SOUND_FILES and MUSIC_FILES into the skin's sound folder. Given file
// names, only those files are made. The same sources give the same bytes on every run.
#include "files.h"
#include "sound_events.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const int RATE = 44100;                  // samples a second, every file
const double PI = 3.14159265358979323846;
const float EFFECT_QUALITY = 0.3f;       // Vorbis quality (-0.1 to 1) of the effects
const float MUSIC_QUALITY = 0.2f;        // and of the music loops, which are much longer
const int OGG_SERIAL = 0x6b6e7421;       // every file's stream serial number: fixed, not random
const char *const EFFECTS_FILE = "effects.txt";
const char *const SCORE_SUFFIX = ".score";   // music_menu.ogg's score is music_menu.score
const int MAX_SECONDS = 120;             // the longest sound or loop a source may ask for

// Where the source line being read is, for messages; a fault ends the program.
std::string source_place;

[[noreturn]] void fail(const std::string &what)
{
    fprintf(stderr, "make_sounds: %s: %s\n", source_place.c_str(), what.c_str());
    exit(1);
}

// ===================== the voice: one layer of a sound, or an instrument =====================

enum Wave { WAVE_SINE, WAVE_TRIANGLE, WAVE_SQUARE, WAVE_SAW, WAVE_NOISE, WAVE_STEP_NOISE };
const char *const WAVE_NAMES[] = {"sine", "triangle", "square", "saw", "noise", "stepnoise"};
enum Filter { FILTER_NONE, FILTER_LOW, FILTER_HIGH, FILTER_BAND };
const char *const FILTER_NAMES[] = {"none", "low", "high", "band"};

// Every setting of a voice, with its default; times in seconds, pitches in Hz.
struct Voice {
    Wave wave = WAVE_SINE;
    double duty = 0.5;                   // the square's high share
    double freq = 440;                   // the starting pitch (an effect's; a score's note sets it)
    double to = 0;                       // the pitch it slides to, 0 for none
    double slide = 0;                    // or the slide in semitones, 0 for none
    double glide = 0;                    // the slide's time, 0 for the whole length
    double vibrato = 0, vibdepth = 0;    // vibrato rate (Hz) and depth (semitones)
    double fm = 0, index = 0, fmdecay = 0;   // FM: modulator/carrier ratio, depth, depth's fall
    double at = 0;                       // start within the sound (effects)
    double len = 0.2;                    // length with the release; 0 in a score: the note's
    double gate = 1;                     // in a score, the share of the note's time it sounds
    double attack = 0.005, decay = 0, release = 0.01;   // decay: time constant of the fall
    double vol = 0.5;
    Filter filter = FILTER_NONE;
    double cutoff = 2000, cutoff_to = 0, q = 0.7;
    int repeat = 1;                      // the layer played this many times,
    double every = 0.1, step = 0;        // this far apart, each this many semitones higher
    std::vector<double> notes;           // or once at each of these pitches, every apart
    double pan = 0;                      // -1 left to 1 right (music)
    double echo = 0, feedback = 0.3;     // an echo's delay (0 for none) and its fall (music)
};

// A pitch: Hz, or a note name such as A4, C#5 or Bb3 (A4 = 440 Hz).
double parse_pitch(const std::string &text)
{
    static const int SEMITONE[] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G from C
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'G') {
        int semitone = SEMITONE[text[0] - 'A'];
        size_t i = 1;
        if (i < text.size() && (text[i] == '#' || text[i] == 'b'))
            semitone += text[i++] == '#' ? 1 : -1;
        char *end = nullptr;
        long octave = strtol(text.c_str() + i, &end, 10);
        if (i < text.size() && *end == '\0' && octave >= 0 && octave <= 9)
            return 440.0 * pow(2.0, (semitone + 12 * (octave + 1) - 69) / 12.0);
    }
    char *end = nullptr;
    double hz = strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(hz > 0 && hz < RATE / 2))
        fail("not a pitch: " + text);
    return hz;
}

double parse_number(const std::string &key, const std::string &text, double low, double high)
{
    char *end = nullptr;
    double value = strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= low && value <= high))
        fail(key + " wants a number from " + std::to_string(low) + " to " + std::to_string(high) +
             ", not " + text);
    return value;
}

template <size_t N>
int parse_name(const std::string &key, const std::string &text, const char *const (&names)[N])
{
    for (size_t i = 0; i < N; i++)
        if (text == names[i])
            return (int)i;
    fail("unknown " + key + ": " + text);
}

// Sets one key=value setting of a voice.
void set_voice(Voice &v, const std::string &setting)
{
    size_t eq = setting.find('=');
    if (eq == std::string::npos)
        fail("expected key=value, not " + setting);
    std::string key = setting.substr(0, eq), value = setting.substr(eq + 1);
    const double T = MAX_SECONDS;
    struct NumberKey { const char *name; double *field; double low, high; };
    const NumberKey numbers[] = {
        {"duty", &v.duty, 0.01, 0.99},     {"slide", &v.slide, -72, 72},
        {"glide", &v.glide, 0, T},         {"vibrato", &v.vibrato, 0, 100},
        {"vibdepth", &v.vibdepth, 0, 12},  {"fm", &v.fm, 0, 20},
        {"index", &v.index, 0, 50},        {"fmdecay", &v.fmdecay, 0, T},
        {"at", &v.at, 0, T},               {"len", &v.len, 0, T},
        {"gate", &v.gate, 0.01, 8},        {"attack", &v.attack, 0, T},
        {"decay", &v.decay, 0, T},         {"release", &v.release, 0, T},
        {"vol", &v.vol, 0, 4},             {"q", &v.q, 0.3, 30},
        {"every", &v.every, 0, T},         {"step", &v.step, -48, 48},
        {"pan", &v.pan, -1, 1},            {"echo", &v.echo, 0, 2},
        {"feedback", &v.feedback, 0, 0.9},
    };
    for (const NumberKey &n : numbers)
        if (key == n.name) {
            *n.field = parse_number(key, value, n.low, n.high);
            return;
        }
    if (key == "wave")
        v.wave = (Wave)parse_name(key, value, WAVE_NAMES);
    else if (key == "filter")
        v.filter = (Filter)parse_name(key, value, FILTER_NAMES);
    else if (key == "freq")
        v.freq = parse_pitch(value);
    else if (key == "to")
        v.to = parse_pitch(value);
    else if (key == "cutoff")
        v.cutoff = parse_pitch(value);
    else if (key == "cutoff_to")
        v.cutoff_to = parse_pitch(value);
    else if (key == "repeat")
        v.repeat = (int)parse_number(key, value, 1, 64);
    else if (key == "notes") {
        v.notes.clear();
        std::stringstream list(value);
        std::string note;
        while (std::getline(list, note, ','))
            v.notes.push_back(parse_pitch(note));
    } else
        fail("unknown setting: " + key);
}

// The sounds' only randomness: a fixed-seed generator, restarted for every file.
uint32_t noise_state;
float next_noise()
{
    noise_state ^= noise_state << 13;
    noise_state ^= noise_state >> 17;
    noise_state ^= noise_state << 5;
    return (float)(noise_state / 2147483648.0 - 1.0);
}

// The correction that takes the step out of a square or saw edge (a band-limited edge).
double edge_correction(double phase, double dt)
{
    if (phase < dt) {
        double t = phase / dt;
        return t + t - t * t - 1;
    }
    if (phase > 1 - dt) {
        double t = (phase - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

// The voice sounding `freq` for `len` seconds, as samples (an echo lengthens it).
std::vector<float> render_voice(const Voice &v, double freq, double len)
{
    len = std::max(len, 1.0 / RATE);
    int n = std::max(1, (int)lround(len * RATE));
    std::vector<float> out(n);
    double end_freq = v.to > 0 ? v.to : freq * pow(2.0, v.slide / 12);
    double glide = v.glide > 0 ? v.glide : len;
    double phase = 0, mod_phase = 0, held = 0;
    double low = 0, band = 0;            // the filter's state
    for (int i = 0; i < n; i++) {
        double t = (double)i / RATE;
        double f = freq * pow(end_freq / freq, std::min(t / glide, 1.0));
        if (v.vibrato > 0)
            f *= pow(2.0, v.vibdepth / 12 * sin(2 * PI * v.vibrato * t));
        double dt = std::min(f / RATE, 0.5);
        double p = phase;
        if (v.fm > 0) {
            double depth = v.index * (v.fmdecay > 0 ? exp(-t / v.fmdecay) : 1);
            p += depth * sin(2 * PI * mod_phase) / (2 * PI);
            mod_phase += dt * v.fm;
            mod_phase -= floor(mod_phase);
            p -= floor(p);
        }
        double s = 0;
        switch (v.wave) {
        case WAVE_SINE: s = sin(2 * PI * p); break;
        case WAVE_TRIANGLE: s = p < 0.5 ? 4 * p - 1 : 3 - 4 * p; break;
        case WAVE_SAW: s = 2 * p - 1 - edge_correction(p, dt); break;
        case WAVE_SQUARE: {
            s = p < v.duty ? 1 : -1;
            s += edge_correction(p, dt);
            double q = p - v.duty + (p < v.duty ? 1 : 0);
            s -= edge_correction(q, dt);
            break;
        }
        case WAVE_NOISE: s = next_noise(); break;
        case WAVE_STEP_NOISE:   // a new random level at every cycle of the pitch
            if (i == 0 || phase + dt >= 1)
                held = next_noise();
            s = held;
            break;
        }
        phase += dt;
        phase -= floor(phase);
        if (v.filter != FILTER_NONE) {   // a state-variable filter, stable at any cutoff
            double fc = v.cutoff_to > 0 ? v.cutoff * pow(v.cutoff_to / v.cutoff, t / len) : v.cutoff;
            double g = tan(PI * std::min(fc, RATE * 0.45) / RATE), k = 1 / v.q;
            double a1 = 1 / (1 + g * (g + k)), a2 = g * a1, a3 = g * a2;
            double v3 = s - low;
            double v1 = a1 * band + a2 * v3, v2 = low + a2 * band + a3 * v3;
            band = 2 * v1 - band;
            low = 2 * v2 - low;
            s = v.filter == FILTER_LOW ? v2 : v.filter == FILTER_BAND ? v1 : s - k * v1 - v2;
        }
        double env = v.attack > 0 && t < v.attack ? t / v.attack : 1;
        if (v.decay > 0 && t > v.attack)
            env *= exp(-(t - v.attack) / v.decay);
        double left = len - t;
        if (v.release > 0 && left < v.release)
            env *= std::max(0.0, left / v.release);
        out[i] = (float)(s * env * v.vol);
    }
    if (v.echo > 0) {   // repeats of the whole voice, each `feedback` as loud, until inaudible
        int delay = std::max(1, (int)lround(v.echo * RATE));
        int repeats = (int)ceil(log(0.01) / log(std::max(v.feedback, 0.01)));
        out.resize(n + delay * repeats, 0.0f);
        for (size_t i = delay; i < out.size(); i++)
            out[i] += (float)v.feedback * out[i - delay];
    }
    return out;
}

// Adds `in` into `out` from sample `start`, growing `out` as needed.
void mix_into(std::vector<float> &out, const std::vector<float> &in, size_t start, float gain = 1)
{
    if (out.size() < start + in.size())
        out.resize(start + in.size(), 0.0f);
    for (size_t i = 0; i < in.size(); i++)
        out[start + i] += in[i] * gain;
}

// Scales the samples so their loudest one is `peak`.
void normalise(std::vector<float> &samples, double peak)
{
    float loudest = 0;
    for (float s : samples)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float &s : samples)
            s = (float)(s * peak / loudest);
}

// The line up to its comment: a "#" at the start or after a space (C#5 is a pitch).
std::string without_comment(const std::string &line)
{
    for (size_t i = 0; i < line.size(); i++)
        if (line[i] == '#' && (i == 0 || isspace((unsigned char)line[i - 1])))
            return line.substr(0, i);
    return line;
}

// ===================== effects =====================

struct Effect {
    double peak = 0.8;                   // the loudest sample, after mixing the layers
    std::vector<Voice> layers;
};

// Reads a skin's recipe file: "[file name] peak=p" starts a sound, each following line
// "layer key=value ..." adds a voice to it.
std::map<std::string, Effect> read_effects(const std::string &path)
{
    std::ifstream file(path);
    if (!file)
        fprintf(stderr, "make_sounds: cannot read %s\n", path.c_str()), exit(1);
    std::map<std::string, Effect> effects;
    Effect *current = nullptr;
    std::string line;
    for (int number = 1; std::getline(file, line); number++) {
        source_place = path + ":" + std::to_string(number);
        line = without_comment(line);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word))
            continue;
        if (word[0] == '[') {
            size_t close = word.find(']');
            if (close == std::string::npos || close + 1 != word.size())
                fail("expected [file name]");
            std::string name = word.substr(1, close - 1);
            if (effects.count(name))
                fail("a second recipe for " + name);
            current = &effects[name];
            while (words >> word) {
                if (word.compare(0, 5, "peak=") != 0)
                    fail("a sound's line takes only peak=, not " + word);
                current->peak = parse_number("peak", word.substr(5), 0.01, 0.95);
            }
        } else if (word == "layer") {
            if (!current)
                fail("a layer before the first [file name]");
            Voice v;
            while (words >> word)
                set_voice(v, word);
            current->layers.push_back(v);
        } else
            fail("expected [file name] or layer, not " + word);
    }
    return effects;
}

std::vector<float> render_effect(const Effect &effect)
{
    std::vector<float> out;
    for (const Voice &v : effect.layers) {
        int count = v.notes.empty() ? v.repeat : (int)v.notes.size();
        for (int r = 0; r < count; r++) {
            double freq = v.notes.empty() ? v.freq * pow(2.0, r * v.step / 12) : v.notes[r];
            mix_into(out, render_voice(v, freq, v.len), (size_t)lround((v.at + r * v.every) * RATE));
        }
    }
    normalise(out, effect.peak);
    return out;
}

// ===================== music =====================

// One note (or chord) of a track: where it starts and how long it lasts, in beats.
struct Note {
    double beat, beats;
    std::vector<double> pitches;         // empty for a rest
};

struct Score {
    double tempo = 120;                  // beats a minute
    int bars = 8;                        // of four beats: the loop's length
    double peak = 0.8;
    std::map<std::string, Voice> instruments;
    std::map<std::string, std::vector<std::string>> patterns;
    std::vector<std::pair<std::string, std::vector<Note>>> tracks;   // instrument, notes
};

// Appends the tokens' notes to `notes`: "pitch:beats", "pitch+pitch:beats" for a chord,
// "-:beats" for a rest, a pattern's name for its tokens, "|" for a bar line (ignored).
void add_notes(const Score &score, const std::vector<std::string> &tokens, std::vector<Note> &notes,
               double &beat, int depth)
{
    if (depth > 8)
        fail("patterns nested too deep");
    for (const std::string &token : tokens) {
        if (token == "|")
            continue;
        auto pattern = score.patterns.find(token);
        if (pattern != score.patterns.end()) {
            add_notes(score, pattern->second, notes, beat, depth + 1);
            continue;
        }
        size_t colon = token.find(':');
        if (colon == std::string::npos)
            fail("expected pitch:beats or a pattern's name, not " + token);
        Note note{beat, parse_number("a note's beats", token.substr(colon + 1), 0.01, 64), {}};
        std::string pitches = token.substr(0, colon);
        if (pitches != "-") {
            std::stringstream list(pitches);
            std::string pitch;
            while (std::getline(list, pitch, '+'))
                note.pitches.push_back(parse_pitch(pitch));
        }
        notes.push_back(note);
        beat += note.beats;
    }
}

// Reads a score: "tempo n", "bars n", "peak p", "instrument name key=value ...",
// "pattern name tokens ...", "track instrument tokens ...".
Score read_score(const std::string &path)
{
    std::ifstream file(path);
    if (!file)
        fprintf(stderr, "make_sounds: cannot read %s\n", path.c_str()), exit(1);
    Score score;
    std::string line;
    for (int number = 1; std::getline(file, line); number++) {
        source_place = path + ":" + std::to_string(number);
        line = without_comment(line);
        std::istringstream words(line);
        std::string word, name;
        if (!(words >> word))
            continue;
        std::vector<std::string> rest;
        if (word == "tempo" || word == "bars" || word == "peak") {
            std::string value;
            words >> value;
            if (word == "tempo")
                score.tempo = parse_number(word, value, 20, 400);
            else if (word == "bars")
                score.bars = (int)parse_number(word, value, 1, 64);
            else
                score.peak = parse_number(word, value, 0.01, 0.95);
            continue;
        }
        if (!(words >> name))
            fail(word + " wants a name");
        for (std::string token; words >> token;)
            rest.push_back(token);
        if (word == "instrument") {
            Voice v;
            v.len = 0;
            for (const std::string &setting : rest)
                set_voice(v, setting);
            score.instruments[name] = v;
        } else if (word == "pattern") {
            score.patterns[name] = rest;
        } else if (word == "track") {
            if (!score.instruments.count(name))
                fail("no instrument " + name + " before this track");
            std::vector<Note> notes;
            double beat = 0;
            add_notes(score, rest, notes, beat, 0);
            score.tracks.push_back({name, notes});
        } else
            fail("expected tempo, bars, peak, instrument, pattern or track, not " + word);
    }
    return score;
}

// The loop's samples, left and right interleaved: every track played (a shorter track
// repeated to fill the loop), then everything sounding past the loop's end folded back onto
// its start, as it sounds when the loop plays again, so the end flows into the start.
std::vector<float> render_score(const Score &score)
{
    double beat_seconds = 60 / score.tempo;
    double loop_beats = score.bars * 4.0;
    if (loop_beats * beat_seconds > MAX_SECONDS)
        fail("the loop is longer than " + std::to_string(MAX_SECONDS) + " seconds");
    size_t loop_samples = (size_t)lround(loop_beats * beat_seconds * RATE);
    std::vector<float> left, right;
    for (const auto &track : score.tracks) {
        const Voice &v = score.instruments.at(track.first);
        double track_beats = track.second.empty() ? 0 : track.second.back().beat + track.second.back().beats;
        double times = track_beats > 0 ? loop_beats / track_beats : 0;
        if (track_beats <= 0 || std::fabs(times - lround(times)) > 1e-6)
            fail("track " + track.first + " lasts " + std::to_string(track_beats) +
                 " beats, which do not fill the loop's " + std::to_string(loop_beats) + " evenly");
        double pan_angle = (v.pan + 1) * PI / 4;   // equal loudness across the field
        for (long time = 0; time < lround(times); time++)
            for (const Note &note : track.second)
                for (double pitch : note.pitches) {
                    double start = (time * track_beats + note.beat) * beat_seconds;
                    double len = v.len > 0 ? v.len : note.beats * beat_seconds * v.gate;
                    std::vector<float> sound = render_voice(v, pitch, len);
                    size_t at = (size_t)lround(start * RATE);
                    mix_into(left, sound, at, (float)cos(pan_angle));
                    mix_into(right, sound, at, (float)sin(pan_angle));
                }
    }
    left.resize(std::max(left.size(), loop_samples), 0.0f);
    right.resize(left.size(), 0.0f);
    std::vector<float> out(loop_samples * 2, 0.0f);
    for (size_t i = 0; i < left.size(); i++) {
        out[(i % loop_samples) * 2] += left[i];
        out[(i % loop_samples) * 2 + 1] += right[i];
    }
    normalise(out, score.peak);
    return out;
}

// ===================== the OGG Vorbis file =====================

bool write_page(FILE *file, const ogg_page &page)
{
    return fwrite(page.header, 1, page.header_len, file) == (size_t)page.header_len &&
           fwrite(page.body, 1, page.body_len, file) == (size_t)page.body_len;
}

// Encodes the interleaved samples of `channels` channels into an OGG Vorbis file.
bool write_ogg(const std::string &path, const std::vector<float> &samples, int channels, float quality)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) {
        fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, RATE, quality) != 0) {
        fprintf(stderr, "make_sounds: the Vorbis encoder refused the settings\n");
        exit(1);
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, OGG_SERIAL);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    bool ok = true;
    while (ogg_stream_flush(&stream, &page))
        ok = write_page(file, page) && ok;

    size_t frames = samples.size() / channels, done = 0;
    const size_t CHUNK = 4096;
    bool ended = false;
    while (!ended) {
        size_t count = std::min(CHUNK, frames - done);
        if (count > 0) {
            float **buffer = vorbis_analysis_buffer(&dsp, (int)count);
            for (size_t i = 0; i < count; i++)
                for (int c = 0; c < channels; c++)
                    buffer[c][i] = samples[(done + i) * channels + c];
        }
        vorbis_analysis_wrote(&dsp, (int)count);   // 0 marks the end
        done += count;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    ok = write_page(file, page) && ok;
                if (ogg_page_eos(&page))
                    ended = true;
            }
        }
        if (count == 0)
            ended = true;
    }
    while (ogg_stream_flush(&stream, &page))
        ok = write_page(file, page) && ok;
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ok = fclose(file) == 0 && ok;
    if (!ok)
        fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
    return ok;
}

// Makes every folder of the path that is missing.
void make_folders(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
}

bool wanted(const std::set<std::string> &only, const char *name)
{
    return only.empty() || only.count(name);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: make_sounds <sources dir> <content dir> [file name ...]\n");
        return 2;
    }
    std::string sources = argv[1], content = argv[2];
    std::set<std::string> only(argv + 3, argv + argc);
    std::vector<std::string> skins;
    read_list((content + "/" + SKIN_LIST_PATH).c_str(), skins);
    bool ok = true;
    for (const std::string &skin : skins) {
        char folder[TEXT_BUFFER_SIZE + 64];
        snprintf(folder, sizeof folder, SOUND_FOLDER_FORMAT, skin.c_str());
        std::string out_dir = content + "/" + folder;
        make_folders(out_dir);
        std::string source_dir = sources + "/" + skin + "/";
        std::map<std::string, Effect> effects = read_effects(source_dir + EFFECTS_FILE);
        for (int e = 0; e < SOUND_EVENT_COUNT; e++) {
            source_place = source_dir + EFFECTS_FILE;
            if (!effects.count(SOUND_FILES[e]))
                fail(std::string("no recipe for ") + SOUND_FILES[e]);
            if (!wanted(only, SOUND_FILES[e]))
                continue;
            noise_state = 0x2545f491;
            ok = write_ogg(out_dir + SOUND_FILES[e], render_effect(effects[SOUND_FILES[e]]), 1,
                           EFFECT_QUALITY) && ok;
            effects.erase(SOUND_FILES[e]);
        }
        for (const auto &left_over : effects)
            if (only.empty())
                fail("a recipe for " + left_over.first + ", which is no sound of the game");
        for (int m = 0; m < MUSIC_LOOP_COUNT; m++) {
            if (!wanted(only, MUSIC_FILES[m]))
                continue;
            std::string name = MUSIC_FILES[m];
            std::string score_path = source_dir + name.substr(0, name.rfind('.')) + SCORE_SUFFIX;
            Score score = read_score(score_path);
            source_place = score_path;
            noise_state = 0x2545f491;
            ok = write_ogg(out_dir + name, render_score(score), 2, MUSIC_QUALITY) && ok;
        }
        printf("%s: sounds written to %s\n", skin.c_str(), out_dir.c_str());
    }
    return ok ? 0 : 1;
}
