// The page in headless Chromium (WebGL on SwiftShader): the time from asking
// for the page to its first frame, and the time of one tick at 333,744 and
// 995,460 points (4 arms, 408 and 705 rings), as the mean gap between frames
// less the 10 ms the timer waits. Figures only; nothing is asserted.
// Usage: node bench/web_bench.mjs URL   (after npm ci --prefix tests/web)
// puppeteer-core from the tests' pinned install.
const { default: puppeteer } =
  await import(new URL('../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js', import.meta.url));
const url = process.argv[2];

function recordDraws() {
  window.drawTimes = [];
  const draw = WebGLRenderingContext.prototype.drawArrays;
  WebGLRenderingContext.prototype.drawArrays = function (...args) {
    window.drawTimes.push(performance.now());
    return draw.apply(this, args);
  };
}

const drawCount = page => page.evaluate(() => window.drawTimes.length);
async function frames(page, count) {
  const first = await drawCount(page);
  await page.waitForFunction(n => window.drawTimes.length >= n, { timeout: 600000, polling: 50 }, first + count);
  return page.evaluate((a, b) => window.drawTimes.slice(a, b), first, first + count);
}

// Presses S until the caption shows `rings` rings, then times 10 ticks.
async function tickAt(page, rings) {
  while (!(await page.title()).includes(`:${rings}:`)) await page.keyboard.press('KeyS');
  await frames(page, 2);  // the regeneration and the upload are behind us
  const times = await frames(page, 11);
  return (times.at(-1) - times[0]) / 10 - 10;
}

const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'] });
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 807, height: 745 });  // a canvas of 807 x 701 above the footer
  await page.evaluateOnNewDocument(recordDraws);
  await page.goto(url, { waitUntil: 'load' });
  const [firstFrame] = await frames(page, 1);
  console.log(`first frame: ${firstFrame.toFixed(0)} ms after navigation started`);
  console.log(`canvas: ${await page.$eval('#canvas', c => `${c.width}x${c.height}`)}`);
  for (const [rings, points] of [[408, 333744], [705, 995460]])
    console.log(`frame at ${points} points (${Math.ceil(points / 3)} drawn): ${(await tickAt(page, rings)).toFixed(1)} ms`);
} finally { await browser.close(); }
