// The five stand-in sounds, written down as events. The levels of noise
// against tone were tuned so that each file compresses comfortably below the
// compressed length its payload piece must have: noise is what LZSS cannot
// squeeze, silence and steady tones are what it squeezes best.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "standins/sounds/pcm_synth.h"

namespace zrv::standins {

inline constexpr uint32_t kSoundSampleRate = 11025;

namespace sound_events {
using enum Voice;

// A card turned over: a short brush of noise over a soft low knock.
inline constexpr SoundEvent kCardFlip[] = {
    {noise, 0, 90, 0, 0.55, 28},
    {tone, 0, 60, 180, 0.35, 45},
};

// A card dealt onto the table: two light taps, then quiet.
inline constexpr SoundEvent kCardDeal[] = {
    {noise, 0, 18, 0, 0.5, 160},
    {tone, 0, 40, 330, 0.3, 70},
    {noise, 95, 14, 0, 0.35, 190},
};

// A riffle shuffle: a run of card clicks over the hiss of sliding cards.
inline constexpr SoundEvent kShuffle[] = {
    {noise, 0, 1850, 0, 0.03, 0},
    {noise, 30, 9, 0, 0.65, 90, 110, 14},
    {tone, 1700, 150, 140, 0.4, 30},
};

// The win fanfare: a rising arpeggio and a held major chord. The notes are
// harmonics 4, 5, 6 and 8 of 11025/84 Hz, so the chord repeats every 84
// samples exactly; the faint hiss then sets how well it compresses.
inline constexpr SoundEvent kFanfare[] = {
    {tone, 0, 260, 525.0, 0.30, 3},
    {tone, 220, 260, 656.25, 0.30, 3},
    {tone, 440, 260, 787.5, 0.30, 3},
    {tone, 660, 1090, 1050.0, 0.28, 1.5},
    {tone, 660, 1090, 787.5, 0.18, 1.5},
    {tone, 660, 1090, 656.25, 0.18, 1.5},
    {noise, 660, 1090, 0, 0.013, 1.0},
};

// A chime for a finished row: two bell partials ringing out, again on
// harmonics of a whole-sample period (50 samples) with a trace of hiss.
inline constexpr SoundEvent kChime[] = {
    {tone, 0, 615, 1323.0, 0.40, 5},
    {tone, 0, 615, 1984.5, 0.20, 8},
    {noise, 0, 615, 0, 0.005, 2},
};
}  // namespace sound_events

struct SoundRecipe {
  std::string_view installed_name;
  uint32_t noise_seed;
  std::span<const SoundEvent> events;
};

// The file size of each sound is not here: it is the expanded length of
// its payload piece, so that the two can never disagree.
inline constexpr std::array<SoundRecipe, 5> kSoundCatalog = {{
    {"Tuska2.wav", 0x7A51u, sound_events::kCardFlip},
    {"Tuska1.wav", 0x7A52u, sound_events::kCardDeal},
    {"Kemra.wav", 0x4B3Du, sound_events::kShuffle},
    {"Dorno.wav", 0xD0A0u, sound_events::kFanfare},
    {"Pasel.wav", 0x9A5Eu, sound_events::kChime},
}};

}  // namespace zrv::standins
