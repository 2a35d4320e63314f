// The browser's galaxy against the desktop's: the digests of the defaults
// and the 8 presets must be equal. Where they are not, each maths function
// the generator calls is compared result by result, and the test names those
// whose results differ and by how many units in the last place, and how far
// the points then move.
// Usage: node generator_test.mjs NATIVE_TOOL WASM_TOOL_JS
import { execFileSync } from 'node:child_process';

const [native, wasm] = process.argv.slice(2);
const run = (args, tool) => execFileSync(tool === wasm ? process.execPath : tool, tool === wasm ? [wasm, ...args] : args,
  { encoding: 'utf8', maxBuffer: 1 << 30 });
const lines = text => text.trim().split('\n');

// How many of two bit lists differ, and the largest gap in units in the last place.
function gaps(a, b) {
  let differing = 0, largest = 0n;
  for (let i = 0; i < a.length; ++i) {
    if (a[i] === b[i]) continue;
    ++differing;
    const gap = BigInt('0x' + a[i]) - BigInt('0x' + b[i]);
    if ((gap < 0n ? -gap : gap) > largest) largest = gap < 0n ? -gap : gap;
  }
  return { differing, largest };
}

// The largest distance between the same coordinate of the two builds.
function largestMove(a, b) {
  const view = new DataView(new ArrayBuffer(8));
  const value = hex => { view.setBigUint64(0, BigInt('0x' + hex)); return view.getFloat64(0); };
  let largest = 0;
  for (let i = 0; i < a.length; ++i) if (a[i] !== b[i]) largest = Math.max(largest, Math.abs(value(a[i]) - value(b[i])));
  return largest;
}

const nativeLines = lines(run([], native)), wasmLines = lines(run([], wasm));
const galaxies = nativeLines.filter(l => !/^(sin|cos|sqrt) /.test(l));
let same = 0;
for (const line of galaxies) {
  const ok = wasmLines.includes(line);
  same += ok;
  console.log(`${ok ? 'identical' : 'differs  '}: ${line.split(' digest')[0]}`);
}
if (same === galaxies.length) {
  console.log(`the ${same} galaxies are bit for bit the Linux build's`);
  process.exit(0);
}
const differingFunctions = [];
for (const fn of ['sin', 'cos', 'sqrt']) {
  const { differing, largest } = gaps(lines(run(['--bits', fn], native)), lines(run(['--bits', fn], wasm)));
  console.log(`${fn}: ${differing} of 1000000 results differ, by at most ${largest} ulp`);
  if (differing) differingFunctions.push(fn);
}
const points = gaps(lines(run(['--bits', 'points'], native)), lines(run(['--bits', 'points'], wasm)));
const move = largestMove(lines(run(['--bits', 'points'], native)), lines(run(['--bits', 'points'], wasm)));
console.log(`points: ${points.differing} coordinates differ, by at most ${move.toExponential(2)}`);
if (!differingFunctions.length || move > 1e-12) {
  console.log('FAIL: the galaxies differ by more than the maths functions explain: the generator itself differs');
  process.exit(1);
}
console.log(`the browser's C library differs in ${differingFunctions.join(', ')}; the galaxies differ by that alone`);
