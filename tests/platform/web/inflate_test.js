// The page's own gunzip (platform/web/inflate.js), for browsers without
// DecompressionStream, against Node's zlib: each kind of block and header.
// node inflate_test.js INFLATE_JS
'use strict';
const assert = require('assert');
const crypto = require('crypto');
const fs = require('fs');
const vm = require('vm');
const zlib = require('zlib');

const page = vm.createContext({});
vm.runInContext(fs.readFileSync(process.argv[2], 'utf8'), page);

const words = Buffer.from('the upper tail of t with 17 degrees of freedom; '.repeat(3000));
const random = crypto.randomBytes(200000);
// A gzip header with every optional field: extra data, a name, a comment, its CRC.
const withFields = (gz) => Buffer.concat([gz.subarray(0, 3), Buffer.from([gz[3] | 30]), gz.subarray(4, 10),
                                          Buffer.from([4, 0, 1, 2, 3, 4]), Buffer.from('name\0comment\0'),
                                          Buffer.from([0, 0]), gz.subarray(10)]);
const cases = [
    ['empty', Buffer.alloc(0), {}],
    ['fixed codes', Buffer.concat([random.subarray(0, 3000), words]), {strategy: zlib.constants.Z_FIXED}],
    ['dynamic codes', words, {level: 9}],
    ['stored blocks', random.subarray(0, 150000), {level: 0}],
    ['runs of 258 and far distances', Buffer.concat([Buffer.alloc(70000, 7), random.subarray(0, 40000),
                                                     random.subarray(0, 40000)]), {level: 9}],
    ['every optional header field', words, {level: 1}, withFields],
];
for (const [name, data, options, wrap = (gz) => gz] of cases) {
    const gz = wrap(zlib.gzipSync(data, options));
    assert.deepStrictEqual(Buffer.from(page.varendoInflate(new Uint8Array(gz))), data, name);
}
const cut = zlib.gzipSync(words);
assert.throws(() => page.varendoInflate(new Uint8Array(Buffer.concat([cut.subarray(0, cut.length / 2),
                                                                      cut.subarray(-8)]))), 'a cut stream');
console.log(cases.length + 1 + ' cases');
