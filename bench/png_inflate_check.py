#!/usr/bin/python3
"""Odd PNGs for pixcell_bench_png_inflate: both ways must agree on each.

    bench/png_inflate_check.py TOOL DIR [MUTANTS]

Writes into DIR small indexed and RGBA PNGs (odd widths, every filter type,
the image data over many IDATs, some empty, tRNS and chunks both ways drop)
and damaged ones (CRCs, a cut or long zlib stream, garbage after it, bad
filter types, chunks out of place), then MUTANTS random mutations of the
good ones (default 2000), half with their CRCs made right again so that the
damage reaches the zlib stream and the rows. Runs TOOL FILE on each (the
comparing mode) and prints the outcome of each made file, the mutants where
whole_png can't stand in for libspng, and a count of outcomes; exit
status 1 if there is any such mutant."""
import os
import random
import struct
import subprocess
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(rows, bpp, filters):
    """The rows filtered, row y with filters[y % len(filters)]."""
    out = bytearray()
    above = bytes(len(rows[0]))
    for y, row in enumerate(rows):
        kind = filters[y % len(filters)]
        out.append(kind)
        for i, x in enumerate(row):
            a = row[i - bpp] if i >= bpp else 0
            c = above[i - bpp] if i >= bpp else 0
            b = above[i]
            predictor = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
            out.append((x - predictor) & 255)
        above = row
    return bytes(out)


def png(width, height, rgba, rng, filters=(0, 1, 2, 3, 4), idat_sizes=None, trns=None, extra=(), stream=None,
        after_idat=(), palette=True):
    bpp = 4 if rgba else 1
    rows = [bytes(rng.randrange(256) if rgba else rng.randrange(16) for _ in range(width * bpp))
            for _ in range(height)]
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if rgba else 3, 0, 0, 0)
    data = stream if stream is not None else zlib.compress(filtered(rows, bpp, filters), 6)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    for kind, body in extra:
        out += chunk(kind, body)
    if not rgba and palette:
        out += chunk(b"PLTE", bytes(rng.randrange(256) for _ in range(16 * 3)))
        if trns is not None:
            out += chunk(b"tRNS", trns)
    sizes = idat_sizes or [len(data)]
    at = 0
    for size in sizes:
        out += chunk(b"IDAT", data[at:at + size])
        at += size
    if at < len(data):
        out += chunk(b"IDAT", data[at:])
    for kind, body in after_idat:
        out += chunk(kind, body)
    return out + chunk(b"IEND", b"")


def fix_crcs(data):
    """Every chunk's CRC made right again, as far as the chunks can be walked."""
    data = bytearray(data)
    at = 8
    while at + 12 <= len(data):
        length = struct.unpack(">I", data[at:at + 4])[0]
        if at + 12 + length > len(data):
            break
        data[at + 8 + length:at + 12 + length] = struct.pack(">I", zlib.crc32(data[at + 4:at + 8 + length]))
        at += 12 + length
    return bytes(data)


def first_idat_end(data):
    at = 8
    while True:
        length = struct.unpack(">I", data[at:at + 4])[0]
        if data[at + 4:at + 8] == b"IDAT":
            return at + 12 + length
        at += 12 + length


def raw_stream(width, height, bpp, rng, extra_rows=0):
    rows = [bytes(rng.randrange(256) for _ in range(width * bpp)) for _ in range(height + extra_rows)]
    return filtered(rows, bpp, (0, 1, 2, 3, 4))


def cases(rng):
    files = {}
    for rgba in (False, True):
        kind = "rgba" if rgba else "indexed"
        for width, height in ((1, 1), (3, 5), (7, 2), (17, 9), (33, 16), (100, 3)):
            files[f"{kind}_{width}x{height}"] = png(width, height, rgba, rng)
        for first in range(5):  # each filter type on the top row, whose row above is all 0
            files[f"{kind}_top_row_filter_{first}"] = png(7, 3, rgba, rng, filters=(first, 4, 3, 2, 1, 0))
        files[f"{kind}_many_idat"] = png(31, 20, rgba, rng, idat_sizes=[1, 0, 2, 7, 0, 50, 3, 0])
        files[f"{kind}_ancillary"] = png(9, 9, rgba, rng, extra=[(b"gAMA", struct.pack(">I", 45455)),
                                                                 (b"pHYs", bytes(9)), (b"prVt", b"x")],
                                         after_idat=[(b"tIME", bytes([7, 230, 1, 1, 0, 0, 0]))])
        files[f"{kind}_5000_chunks_dropped"] = png(4, 4, rgba, rng, extra=[(b"prVt", b"x")] * 5000)
        files[f"{kind}_bad_gama_dropped"] = png(5, 5, rgba, rng, extra=[(b"gAMA", bytes(4))])
        files[f"{kind}_text_left"] = png(5, 5, rgba, rng, extra=[(b"tEXt", b"Comment\0hi")])
        files[f"{kind}_trns"] = png(6, 6, rgba, rng, trns=bytes([0, 128, 255]))
        files[f"{kind}_filter_none_only"] = png(13, 13, rgba, rng, filters=(0,))
        good = png(20, 10, rgba, rng)
        damaged = bytearray(good)
        damaged[-20] ^= 1  # inside the last IDAT's payload or CRC
        files[f"{kind}_bad_idat_crc"] = bytes(damaged)
        damaged = bytearray(good)
        damaged[30] ^= 1  # IHDR's CRC
        files[f"{kind}_bad_ihdr_crc"] = bytes(damaged)
        damaged = bytearray(png(5, 5, rgba, rng, extra=[(b"gAMA", b"\0\0\1\0")]))
        damaged[33 + 12] ^= 1  # gAMA's CRC, right after IHDR
        files[f"{kind}_bad_ancillary_crc"] = bytes(damaged)
        bpp = 4 if rgba else 1
        stream = zlib.compress(raw_stream(8, 8, bpp, rng))
        files[f"{kind}_stream_cut"] = png(8, 8, rgba, rng, stream=stream[:-10])
        files[f"{kind}_stream_no_adler"] = png(8, 8, rgba, rng, stream=stream[:-4])
        bad_adler = bytearray(stream)
        bad_adler[-1] ^= 1
        files[f"{kind}_stream_bad_adler"] = png(8, 8, rgba, rng, stream=bytes(bad_adler))
        files[f"{kind}_stream_garbage_after"] = png(8, 8, rgba, rng, stream=stream + b"garbage")
        files[f"{kind}_garbage_idat_after"] = png(8, 8, rgba, rng, stream=stream + b"junk", idat_sizes=[len(stream)])
        # Given up on after the IDATs were gathered: their bytes must be put back for libspng.
        many = bytearray(png(31, 20, rgba, rng, idat_sizes=[0, 1, 0, 2, 7, 0, 50, 3, 0]))
        many[many.rindex(b"IDAT") + 10] ^= 0xFF
        files[f"{kind}_many_idat_stream_damaged"] = fix_crcs(bytes(many))
        files[f"{kind}_many_idat_stream_long"] = png(8, 8, rgba, rng, idat_sizes=[5, 0, 9, 1],
                                                     stream=zlib.compress(raw_stream(8, 8, bpp, rng, 1)))
        files[f"{kind}_stream_long"] = png(8, 8, rgba, rng, stream=zlib.compress(raw_stream(8, 8, bpp, rng, 1)))
        files[f"{kind}_stream_short"] = png(8, 8, rgba, rng, stream=zlib.compress(raw_stream(8, 7, bpp, rng)))
        bad_filter = bytearray(raw_stream(8, 8, bpp, rng))
        bad_filter[3 * (8 * bpp + 1)] = 5
        files[f"{kind}_filter_5"] = png(8, 8, rgba, rng, stream=zlib.compress(bytes(bad_filter)))
        files[f"{kind}_file_cut"] = good[:-30]
        files[f"{kind}_no_iend"] = good[:-12]
        files[f"{kind}_iend_not_empty"] = good[:-12] + chunk(b"IEND", b"x")
        split = png(30, 30, rgba, rng, idat_sizes=[100])
        at = first_idat_end(split)
        files[f"{kind}_idat_split_by_chunk"] = split[:at] + chunk(b"tIME", bytes(7)) + split[at:]
        files[f"{kind}_unknown_critical"] = png(5, 5, rgba, rng, extra=[(b"CRIT", b"x")])
        files[f"{kind}_empty_idat"] = png(5, 5, rgba, rng, stream=b"")
    files["indexed_no_plte"] = png(5, 5, False, rng, palette=False)
    files["indexed_trns_too_long"] = png(6, 6, False, rng, trns=bytes(17))
    files["indexed_interlaced_left"] = fix_crcs(png(6, 6, False, rng).replace(
        struct.pack(">IIBBBBB", 6, 6, 8, 3, 0, 0, 0), struct.pack(">IIBBBBB", 6, 6, 8, 3, 0, 0, 1)))
    files["rgba_plte_after_bkgd"] = png(5, 5, True, rng, extra=[(b"bKGD", bytes(6)), (b"PLTE", bytes(6))])
    files["rgba_plte_bad_size"] = png(5, 5, True, rng, extra=[(b"PLTE", bytes(5))])
    files["rgba_trns_dropped"] = png(5, 5, True, rng, extra=[(b"tRNS", bytes(6))])
    files["huge_width"] = fix_crcs(png(5, 5, False, rng).replace(
        struct.pack(">IIBBBBB", 5, 5, 8, 3, 0, 0, 0), struct.pack(">IIBBBBB", 1 << 29, 1, 8, 3, 0, 0, 0)))
    files["rgba_too_wide"] = fix_crcs(png(5, 5, True, rng).replace(
        struct.pack(">IIBBBBB", 5, 5, 8, 6, 0, 0, 0), struct.pack(">IIBBBBB", (1 << 16) + 1, 1, 8, 6, 0, 0, 0)))
    return files


def mutants(files, count, rng):
    seeds = [data for name, data in sorted(files.items()) if "x" in name or "many_idat" in name]
    for n in range(count):
        data = bytearray(rng.choice(seeds))
        for _ in range(rng.randint(1, 4)):
            at = rng.randrange(8, len(data))
            choice = rng.randrange(3)
            if choice == 0:
                data[at] = rng.randrange(256)
            elif choice == 1:
                del data[at:at + rng.randint(1, 8)]
            else:
                data[at:at] = bytes(rng.randrange(256) for _ in range(rng.randint(1, 8)))
        yield f"mutant_{n:05}", fix_crcs(data) if n % 2 == 0 else bytes(data)


def main():
    tool, folder = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    rng = random.Random(20)
    os.makedirs(folder, exist_ok=True)
    files = cases(rng)
    outcomes = {}
    differ = stricter = 0
    for name, data in list(files.items()) + list(mutants(files, count, rng)):
        path = os.path.join(folder, name + ".png")
        with open(path, "wb") as f:
            f.write(data)
        run = subprocess.run([tool, path], capture_output=True, text=True)
        line = run.stdout.strip()
        if run.returncode not in (0, 3) or run.stderr:
            print(f"{name}: status {run.returncode}: {run.stderr.strip()}")
            differ += 1
            continue
        if not name.startswith("mutant_"):
            print(line.replace(path, name))
        if run.returncode == 3:
            differ += 1
            if name.startswith("mutant_"):
                print(line)
            continue
        if ": stricter:" in line:
            stricter += 1
        spng = "libspng decoded" in line
        deflate = "left to libspng" if "left to libspng" in line else (
            "decoded" if "libdeflate decoded" in line else "refused")
        key = f"libspng {'decoded' if spng else 'refused'}, libdeflate {deflate}"
        if name.startswith("mutant_"):
            outcomes[key] = outcomes.get(key, 0) + 1
        else:
            os.remove(path)
    for key, n in sorted(outcomes.items()):
        print(f"mutants: {n:5} {key}")
    print(f"{differ} differ; whole_png stricter on {stricter} (libspng decodes them after it)")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
