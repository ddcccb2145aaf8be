#!/usr/bin/env python3
"""The test signal of scripts/pipewire-check.sh and its measurement.

make OUT.wav RATE: 3 s of stereo whose sum and difference each hold tones at
50 Hz and 1 kHz, as 32-bit float WAV.
check IN.wav OUT.wav METRES: the levels of sum and difference at both
frequencies in OUT against IN; the difference must follow Corvane's
high-pass at METRES, the sum must not change (0.5 dB either)."""
import math
import struct
import sys

FREQUENCIES = (50.0, 1000.0)
TOLERANCE_DB = 0.5


def write_wav(path, rate, frames):
    data = b"".join(struct.pack("<ff", left, right) for left, right in frames)
    fmt = struct.pack("<HHIIHH", 3, 2, rate, rate * 8, 8, 32)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def read_wav(path):
    with open(path, "rb") as f:
        raw = f.read()
    pos, fmt, rate, channels, bits, data = 12, None, 0, 0, 0, b""
    while pos + 8 <= len(raw):
        chunk, size = raw[pos:pos + 4], struct.unpack("<I", raw[pos + 4:pos + 8])[0]
        body = raw[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            fmt, channels, rate = struct.unpack("<HHI", body[:8])
            bits = struct.unpack("<H", body[14:16])[0]
            if fmt == 0xFFFE:
                fmt = struct.unpack("<H", body[24:26])[0]
        elif chunk == b"data":
            data = body
        pos += 8 + size + (size & 1)
    if fmt != 3 or bits != 32 or channels != 2:
        sys.exit(f"{path}: not 32-bit float stereo (format {fmt}, {bits} bits, {channels} channels)")
    values = struct.unpack(f"<{len(data) // 4}f", data[:len(data) // 4 * 4])
    return rate, list(zip(values[0::2], values[1::2]))


def make(path, rate):
    frames = []
    for i in range(3 * rate):
        t = i / rate
        mid = 0.2 * math.sin(2 * math.pi * 50 * t) + 0.2 * math.sin(2 * math.pi * 1000 * t)
        side = 0.2 * math.sin(2 * math.pi * 50 * t + 0.7) + 0.2 * math.sin(2 * math.pi * 1000 * t + 1.3)
        frames.append((mid + side, mid - side))
    write_wav(path, rate, frames)


def level_db(samples, rate, frequency):
    """The tone's amplitude in dB, over whole periods of the window."""
    n = len(samples)
    re = sum(x * math.cos(2 * math.pi * frequency * k / rate) for k, x in enumerate(samples))
    im = sum(x * math.sin(2 * math.pi * frequency * k / rate) for k, x in enumerate(samples))
    return 20 * math.log10(2 * math.hypot(re, im) / n)


def model_db(metres, rate, frequency):
    """Corvane's difference filter: y a0 + a1 y' = d - d', the bilinear
    high-pass with its corner at 340 / (2 pi metres) Hz."""
    alpha = (metres / 340.0) * (rate * 4.0)
    a0, a1 = 1 + 2 / alpha, 2 / alpha - 1
    z = complex(math.cos(2 * math.pi * frequency / rate), -math.sin(2 * math.pi * frequency / rate))
    return 20 * math.log10(abs((1 - z) / (a0 + a1 * z)))


def window(frames, rate):
    """One second from half a second after the signal starts."""
    start = next((i for i, (l, r) in enumerate(frames) if abs(l) > 1e-4 or abs(r) > 1e-4), None)
    if start is None or start + int(1.5 * rate) > len(frames):
        sys.exit(f"the recording holds no complete signal ({len(frames)} frames, start {start})")
    part = frames[start + rate // 2:start + rate // 2 + rate]
    return [l + r for l, r in part], [l - r for l, r in part]


def check(inp, out, metres):
    rate, a = read_wav(inp)
    out_rate, b = read_wav(out)
    if out_rate != rate:
        sys.exit(f"recorded at {out_rate} Hz, played at {rate} Hz")
    in_sum, in_side = window(a, rate)
    out_sum, out_side = window(b, rate)
    failed = False
    print(f"{'':10} {'Hz':>6} {'measured dB':>12} {'model dB':>9} {'error dB':>9}")
    for f in FREQUENCIES:
        for name, x, y, model in (("sum", in_sum, out_sum, 0.0),
                                  ("side", in_side, out_side, model_db(metres, rate, f))):
            gain = level_db(y, rate, f) - level_db(x, rate, f)
            error = gain - model
            failed |= abs(error) > TOLERANCE_DB
            print(f"{name:10} {f:6.0f} {gain:12.3f} {model:9.3f} {error:9.3f}")
    if failed:
        sys.exit(f"a level is more than {TOLERANCE_DB} dB from the model")


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "make":
        make(sys.argv[2], int(sys.argv[3]))
    elif len(sys.argv) == 5 and sys.argv[1] == "check":
        check(sys.argv[2], sys.argv[3], float(sys.argv[4]))
    else:
        sys.exit(__doc__)
