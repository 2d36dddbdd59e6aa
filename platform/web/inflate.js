// A gzip member's contents (RFC 1952 around RFC 1951), for the browsers
// without DecompressionStream that schools still run (Firefox before 113,
// Safari before 16.4): small and plain rather than fast, as it runs once,
// after the window is painted. Throws on data it cannot read.
function varendoInflate(data) {
    if (data[0] !== 0x1f || data[1] !== 0x8b || data[2] !== 8) throw new Error('not gzip');
    const flags = data[3];
    let p = 10;
    if (flags & 4) p += 2 + (data[p] | (data[p + 1] << 8));  // extra field
    if (flags & 8) while (data[p++]);  // file name
    if (flags & 16) while (data[p++]);  // comment
    if (flags & 2) p += 2;  // header CRC
    const n = data.length;
    const out = new Uint8Array((data[n - 4] | (data[n - 3] << 8) | (data[n - 2] << 16) | (data[n - 1] << 24)) >>> 0);
    let o = 0, buffer = 0, held = 0;
    const bits = (count) => {
        while (held < count) {
            if (p >= n) throw new Error('truncated');
            buffer |= data[p++] << held;
            held += 8;
        }
        const v = buffer & ((1 << count) - 1);
        buffer >>>= count;
        held -= count;
        return v;
    };
    // Canonical Huffman codes, read a bit at a time.
    const code = (lengths) => {
        const count = new Uint16Array(16), offset = new Uint16Array(16), symbol = new Uint16Array(lengths.length);
        for (const l of lengths) count[l]++;
        count[0] = 0;
        for (let l = 1; l < 16; l++) offset[l] = offset[l - 1] + count[l - 1];
        lengths.forEach((l, s) => { if (l) symbol[offset[l]++] = s; });
        return {count, symbol};
    };
    const decode = (h) => {
        for (let l = 1, c = 0, first = 0, index = 0; l < 16; l++) {
            c |= bits(1);
            if (c - first < h.count[l]) return h.symbol[index + c - first];
            index += h.count[l];
            first = (first + h.count[l]) << 1;
            c <<= 1;
        }
        throw new Error('bad code');
    };
    const extra = (i, step, from) => (i < from ? 0 : Math.floor(i / step) - from / step + 1);
    const lengthExtra = [], lengthBase = [3], distanceExtra = [], distanceBase = [1];
    for (let i = 0; i < 29; i++) lengthExtra.push(i === 28 ? 0 : extra(i, 4, 8));
    for (let i = 0; i < 28; i++) lengthBase.push(lengthBase[i] + (1 << lengthExtra[i]));
    lengthBase[28] = 258;
    for (let i = 0; i < 30; i++) distanceExtra.push(extra(i, 2, 4));
    for (let i = 0; i < 29; i++) distanceBase.push(distanceBase[i] + (1 << distanceExtra[i]));
    const fixed = [code([...Array(288)].map((_, s) => (s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8))),
                   code(Array(30).fill(5))];
    const order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
    let last;
    do {
        last = bits(1);
        const type = bits(2);
        if (type === 0) {  // stored: from the next byte on
            buffer = held = 0;
            const length = data[p] | (data[p + 1] << 8);
            out.set(data.subarray(p + 4, p + 4 + length), o);
            p += 4 + length;
            o += length;
            continue;
        }
        let literal, distance;
        if (type === 1) [literal, distance] = fixed;
        else if (type === 2) {
            const literals = bits(5) + 257, distances = bits(5) + 1, codes = bits(4) + 4;
            const lengths = Array(19).fill(0);
            for (let i = 0; i < codes; i++) lengths[order[i]] = bits(3);
            const lengthCode = code(lengths);
            const all = [];
            while (all.length < literals + distances) {
                const s = decode(lengthCode);
                if (s < 16) all.push(s);
                else {
                    const repeat = s === 16 ? 3 + bits(2) : s === 17 ? 3 + bits(3) : 11 + bits(7);
                    const value = s === 16 ? all[all.length - 1] : 0;
                    for (let i = 0; i < repeat; i++) all.push(value);
                }
            }
            literal = code(all.slice(0, literals));
            distance = code(all.slice(literals));
        } else throw new Error('bad block');
        for (;;) {
            const s = decode(literal);
            if (s < 256) out[o++] = s;
            else if (s === 256) break;
            else {
                const length = lengthBase[s - 257] + bits(lengthExtra[s - 257]);
                const d = decode(distance);
                const back = distanceBase[d] + bits(distanceExtra[d]);
                for (let k = 0; k < length; k++, o++) out[o] = out[o - back];
            }
        }
    } while (!last);
    if (o !== out.length) throw new Error('wrong length');
    return out;
}
