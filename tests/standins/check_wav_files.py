"""Opens each stand-in sound with Python's own wave reader, an implementation
independent of ours, and checks that it is plain PCM a player will take."""
import sys
import wave

failed = 0
for path in sys.argv[1:]:
    try:
        with wave.open(path, "rb") as w:
            frames = w.getnframes()
            data = w.readframes(frames)
            ok = (w.getnchannels() == 1 and w.getsampwidth() == 1 and w.getframerate() == 11025
                  and frames > 0 and len(data) == frames)
            print(f"{path}: {w.getnchannels()} ch, {8 * w.getsampwidth()} bit, "
                  f"{w.getframerate()} Hz, {frames} frames{'' if ok else ' -- UNEXPECTED'}")
    except (wave.Error, EOFError, OSError) as error:
        print(f"{path}: {error}")
        ok = False
    failed += not ok
print(f"{len(sys.argv) - 1 - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
