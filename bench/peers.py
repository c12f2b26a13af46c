#!/usr/bin/env python3
"""Times the same work in numpy/scipy and in sonalyx-cli on the same generated files.

Run by hand (not by the tests):  bench/peers.py [--cli build/bin/sonalyx-cli]

Installs python3-numpy and python3-scipy with apt-get when they are missing. Generates a
10-minute and a 60-second 48 kHz stereo 16-bit WAV file in a temporary folder, then times
  - the spectrum of one 32768-point record of the 60-second file (sonalyx-cli fft / numpy.fft),
  - the transfer-function averaging pass at N = 8192 (sonalyx-cli analyze transfer / numpy),
  - long FIR filtering of the 60-second file (sonalyx-cli filter / scipy.signal.oaconvolve),
  - a Kaiser and a Remez design (sonalyx-cli design / scipy.signal).
Times are CPU time (user + system), which a shared, loaded machine disturbs far less than
wall time. sonalyx-cli runs as a process: its time is the median CPU time of several runs less
the median of a run that only loads the same input (`info`, or `--help` for the designs). The
numpy/scipy time is the median CPU time of the computation in this process on data already read.
Prints a table of both times and their ratio, with the machine's load.

numpy and scipy come from the system's packages: when this interpreter lacks them, the script
runs itself again with /usr/bin/python3.
"""

import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


SYSTEM_PYTHON = "/usr/bin/python3"


def have_packages(python):
    return subprocess.run([python, "-c", "import numpy, scipy.signal"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def ensure_packages():
    """Installs the system's numpy and scipy when missing; runs the script again with the
    system's interpreter when this one (a virtual environment, pyenv) does not see them."""
    if have_packages(sys.executable):
        return
    if not have_packages(SYSTEM_PYTHON):
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        subprocess.run(sudo + ["apt-get", "update", "-qq"], check=True, env=env)
        subprocess.run(sudo + ["apt-get", "install", "-y", "--no-install-recommends",
                               "python3-numpy", "python3-scipy"], check=True, env=env)
    if os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)


def median_time(fn, repeat):
    """Median CPU time of this process (all its threads) over `repeat` calls of fn."""
    times = []
    for _ in range(repeat):
        start = time.process_time()
        fn()
        times.append(time.process_time() - start)
    return statistics.median(times)


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def cli_time(cli, args, repeat):
    """Median CPU time of `repeat` runs of sonalyx-cli with `args`."""
    def run():
        subprocess.run([cli] + args, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    run()  # warm the page cache
    times = []
    for _ in range(repeat):
        start = children_cpu()
        run()
        times.append(children_cpu() - start)
    return statistics.median(times)


def write_wav(path, rate, left, right):
    import numpy as np
    from scipy.io import wavfile
    wavfile.write(path, rate, np.stack([left, right], axis=1).astype(np.int16))


def read_coef_csv(path):
    """Taps of the FIR section of a coefficient file (one number per line between the
    section's header and its end line)."""
    taps = []
    with open(path, encoding="cp932", errors="replace") as f:
        for line in f:
            field = line.strip().split(",")[0].strip()
            try:
                taps.append(float(field))
            except ValueError:
                continue
    return taps


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--cli", default=os.path.join(root, "build", "bin", "sonalyx-cli"))
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    ensure_packages()
    import numpy as np
    import scipy.signal as sig
    from scipy.io import wavfile

    cli = args.cli
    repeat = args.repeat
    load_before = os.getloadavg()
    work = tempfile.mkdtemp(prefix="sonalyx-peers-")
    rows = []
    try:
        rng = np.random.default_rng(1)
        rate = 48000
        long_x = rng.integers(-8192, 8192, rate * 600).astype(np.int16)
        long_y = ((long_x.astype(np.int32) + np.roll(long_x, 1)) // 2).astype(np.int16)
        long_wav = os.path.join(work, "ten_minutes.wav")
        write_wav(long_wav, rate, long_x, long_y)
        short_wav = os.path.join(work, "sixty_seconds.wav")
        write_wav(short_wav, rate, rng.integers(-20000, 20000, rate * 60),
                  rng.integers(-20000, 20000, rate * 60))
        out = os.path.join(work, "out")

        load_long = cli_time(cli, ["info", long_wav], repeat)
        load_short = cli_time(cli, ["info", short_wav], repeat)
        start_up = cli_time(cli, ["--help"], repeat)

        # Spectrum of one record.
        n = 32768
        # (from the 60-second file: the smaller load leaves less noise in the difference)
        t = cli_time(cli, ["fft", short_wav, "--start", "0", "--points", str(n), "--window",
                           "hanning", "-o", out + ".opr"], repeat) - load_short
        _, short = wavfile.read(short_wav)
        window = 0.5 - 0.5 * np.cos(2 * np.pi * np.arange(n) / n)
        record = short[:n, 0].astype(np.float32)
        p = median_time(lambda: np.abs(np.fft.fft(record * window) / n), repeat)
        rows.append(("spectrum of a 32768-point record", t, p, "numpy.fft.fft"))

        # Transfer-function averaging pass.
        n = 8192
        t = cli_time(cli, ["analyze", "transfer", long_wav, "--points", str(n), "--window",
                           "hanning", "-o", out + ".opr"], repeat) - load_long
        _, data = wavfile.read(long_wav)
        count = data.shape[0] // n
        window = (0.5 - 0.5 * np.cos(2 * np.pi * np.arange(n) / n)).astype(np.float32)

        def transfer():
            records = data[:count * n].reshape(count, n, 2).astype(np.float32)
            x1 = np.fft.rfft(records[:, :, 0] * window, axis=1)
            x2 = np.fft.rfft(records[:, :, 1] * window, axis=1)
            den = np.abs(x1) ** 2
            h = np.where(den == 0, 0, x2 * np.conj(x1) / np.where(den == 0, 1, den))
            return h.mean(axis=0)
        p = median_time(transfer, repeat)
        rows.append((f"transfer pass, 10 min stereo, N={n} ({count} records)", t, p,
                     "numpy.fft.rfft"))

        # Long FIR filtering of the 60-second file.
        for label, design in (
                ("1024 taps", ["design", "fir", "--shape", "lpf", "--window", "hamming",
                               "--taps", "1024", "--fl", "4000", "--fs", "48000"]),
                ("4096 taps", ["design", "fir", "--shape", "lpf", "--window", "hamming",
                               "--taps", "4096", "--fl", "4000", "--fs", "48000"]),
                ("Kaiser", ["design", "kaiser", "--shape", "lpf", "--atten", "80",
                            "--transition", "62", "--fl", "4000", "--fs", "48000"])):
            coef = os.path.join(work, "coef.csv")
            subprocess.run([cli] + design + ["-o", coef], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            h = np.array(read_coef_csv(coef))
            t = cli_time(cli, ["filter", short_wav, "--coef", coef, "-o", out + ".wav"],
                         repeat) - load_short
            x = short.astype(np.float64)
            p = median_time(lambda: sig.oaconvolve(x, h[:, None], mode="valid", axes=0),
                            repeat)
            rows.append((f"FIR filter 60 s stereo, {label} ({len(h)})", t, p,
                         "scipy.signal.oaconvolve"))

        # Designs.
        t = cli_time(cli, ["design", "kaiser", "--shape", "lpf", "--atten", "80", "--transition",
                           "62", "--fl", "4000", "--fs", "48000", "-o", out + ".csv"],
                     repeat) - start_up

        def kaiser():
            taps, beta = sig.kaiserord(80, 62 / 24000)
            return sig.firwin(taps | 1, 4031 / 24000, window=("kaiser", beta))
        p = median_time(kaiser, repeat)
        rows.append(("Kaiser design (80 dB, 62 Hz transition)", t, p, "scipy.signal.firwin"))

        t = cli_time(cli, ["design", "remez", "--bands", "0 4000 1 1; 5000 24000 0 1", "--taps",
                           "255", "--fs", "48000", "-o", out + ".csv"], repeat) - start_up
        p = median_time(lambda: sig.remez(255, [0, 4000, 5000, 24000], [1, 0], fs=48000),
                        repeat)
        rows.append(("Remez design, 255 taps", t, p, "scipy.signal.remez"))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    load_after = os.getloadavg()

    print(f"sonalyx-cli: {cli}; CPU time (user + system), median of {repeat} runs")
    print(f"cli start-up {start_up:.3f} s; load of the 10-minute file {load_long:.3f} s, "
          f"of the 60-second file {load_short:.3f} s (subtracted below)")
    print(f"{'work':58} {'sonalyx s':>10} {'peer s':>10} {'ratio':>7}  peer")
    for name, ours, peer, what in rows:
        ratio = ours / peer if peer > 0 else float("inf")
        print(f"{name:58} {ours:10.4f} {peer:10.4f} {ratio:7.2f}  {what}")
    print("load average (1, 5, 15 min): before %.2f %.2f %.2f, after %.2f %.2f %.2f"
          % (load_before + load_after))
    return 0


if __name__ == "__main__":
    sys.exit(main())
