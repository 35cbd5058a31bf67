#include "standins/sounds/sound_file.h"

#include "standins/sounds/wav_writer.h"
#include "tools/manifest_lookup.h"

namespace zrv::standins {
namespace {

// Every sound must be a payload file whose size a RIFF file can have;
// checked at compile time so that a changed manifest cannot silently
// produce a wrong file.
constexpr bool catalog_matches_manifest() {
  for (const SoundRecipe& sound : kSoundCatalog)
    if (!wav_size_reachable(tools::piece_named(sound.installed_name).expanded_length))
      return false;
  return true;
}
static_assert(catalog_matches_manifest(), "every sound needs an even-sized manifest entry");

}  // namespace

std::vector<uint8_t> make_sound_file(const SoundRecipe& recipe) {
  const std::size_t file_size = tools::piece_named(recipe.installed_name).expanded_length;
  const auto pcm = render_pcm8(recipe.events, kSoundSampleRate, file_size - kWavHeaderSize,
                               recipe.noise_seed);
  return make_wav_pcm8_mono(kSoundSampleRate, pcm);
}

}  // namespace zrv::standins
