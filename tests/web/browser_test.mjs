// Browser test: the web build at URL in headless Chromium against the desktop's first frame PNG.
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
const [url, desktopPng] = process.argv.slice(2), modules = new URL('../../web/node_modules/', import.meta.url);
const browser = await createRequire(modules)('puppeteer-core').launch({ executablePath: '/usr/bin/chromium',
  defaultViewport: { width: 1400, height: 820 }, args: ['--no-sandbox', '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--disable-quic', '--disable-component-update'] });
const failures = [], fail = (what) => failures.push(what), same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
try {
  const page = await browser.newPage();
  page.on('console', (m) => m.type() === 'error' && fail('console: ' + m.text())).on('pageerror', (e) => fail(e.message));
  await page.goto(url);
  const frames = () => page.evaluate(() => Module.framesDrawn), settle = (n) => page.waitForFunction((n) => Module.framesDrawn >= n, {}, n);
  // Mean [r, g, b, pixels] of wood, candy, centre nest, lit or dark near patrol ants: canvas or PNG.
  const regions = async (png) => page.evaluate(async (src) => {
    const image = Object.assign(new Image(), { src }), sums = {}, c = new OffscreenCanvas(1024, 768).getContext('2d');
    await image.decode(), c.drawImage(image, 0, 0);
    const p = c.getImageData(0, 0, 1024, 768).data;
    for (let i = 0, r, g, b, x, y; i < p.length; i += 4) {
      [r, g, b, x, y] = [p[i], p[i + 1], p[i + 2], (i / 4) % 1024, Math.floor(i / 4096)];
      for (const k of [r > g && g > b && r >= 60 && 'wood', r >= 150 && b > g && 'candy',
        x >= 340 && x < 395 && y >= 478 && y < 500 && 'nest', x >= 280 && x < 460 && y >= 18 && y < 42 && (r >= 180 || g < 60) && 'ants'])
        if (k) (sums[k] ??= [0, 0, 0, 0]).forEach((_, j, s) => (s[j] += j < 3 ? p[i + j] : 1));
    }
    return Object.fromEntries(Object.entries(sums).map(([k, s]) => [k, [...s.slice(0, 3).map((v) => Math.round(v / s[3])), s[3]]]));
  }, 'data:image/png;base64,' + (png ? readFileSync(png) : await (await page.$('canvas')).screenshot()).toString('base64'));
  await settle(1);
  const [desktop, first] = [await regions(desktopPng), await regions()];
  for (const k of ['wood', 'candy', 'nest', 'ants']) { // within 10 of 255 in every channel
    const [d, w] = [desktop[k] ?? [0, 0, 0, 0], first[k] ?? [0, 0, 0, 0]];
    console.log(`${k}: desktop rgb(${d.slice(0, 3)}) web rgb(${w.slice(0, 3)})`), w[3] > 20 && d[3] > 20 &&
      [0, 1, 2].every((i) => Math.abs(d[i] - w[i]) <= 10) || fail(k + ' differs');
  }
  if (!(await page.evaluate(() => Module.ctx.getContextAttributes().depth))) fail('no depth buffer');
  // Each key draws one frame: m the ants in wire, an arrow pans the view, 1 brings it back.
  const press = async (key) => { const n = await frames(); await page.keyboard.press(key); await settle(n + 1); return regions(); };
  const [wire, panned, reset] = [await press('m'), await press('ArrowLeft'), await press('1')];
  if (same(wire.ants, first.ants) || !same(wire.nest, first.nest)) fail('m: no wire ants');
  if (same(panned, wire) || !same(reset, wire)) fail('arrow, 1: no pan and back');
  const [start, startTime] = [await frames(), Date.now(), await page.keyboard.press('s')];
  await new Promise((done) => setTimeout(done, 5000));
  const drawn = (await frames()) - start, seconds = (Date.now() - startTime) / 1000; // s: frames keep coming
  console.log(`frame rate ${(drawn / seconds).toFixed(1)} per second`), drawn < 5 && fail(`s: ${drawn} frames`);
} finally { await browser.close(); } // and its processes, whatever happened
failures.forEach((f) => console.error('FAIL ' + f)), process.exit(failures.length ? 1 : 0);
