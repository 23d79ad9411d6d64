// Browser test: the web build at URL in headless Chromium against the desktop's frames FRAME:KEY...
// (see browser_test.sh; ../frames/FRAME.bgra, bottom row first); the page's word on a loss.
import { launchChromium, openWorld } from '../../web/chromium.mjs';

const [url, ...schedule] = process.argv.slice(2);
const failures = [];

// Draws the next frame (after an animation step if `ticked`) and, before the browser shows and
// clears it, its share of pixels within 8 of 255 of the desktop's in every channel, and the mean.
async function compareFrame(page, frame, ticked) {
  return page.evaluate(async (path, step) => {
    const desktop = new Uint8Array(await (await fetch(path)).arrayBuffer());
    Module.runFrames(1, step, true);
    const web = new Uint8Array(1024 * 768 * 4);
    Module.ctx.readPixels(0, 0, 1024, 768, Module.ctx.RGBA, Module.ctx.UNSIGNED_BYTE, web);
    let close = 0;
    let difference = 0;
    for (let at = 0; at < web.length; at += 4) {
      const channels = [0, 1, 2].map((c) => Math.abs(desktop[at + 2 - c] - web[at + c]));
      close += Math.max(...channels) <= 8 ? 1 : 0;
      difference += channels[0] + channels[1] + channels[2];
    }
    return { close: close / (1024 * 768), mean: difference / (1024 * 768 * 3) };
  }, `../frames/${frame}.bgra`, ticked);
}

// The frames as the desktop's recording made them: one animation step a frame from the first, none
// for a key's own frame. Rasterisers differ by a level, and a pixel along edges and lines (0.02%
// of pixels beyond 8 at most, a mean under 0.1); food elsewhere or another nest differ by more.
async function checkFrames(page) {
  await page.evaluate(() => Module.holdFrames(true));
  await page.keyboard.press('s');
  let made = 0;
  let typed = false;
  for (const entry of schedule) {
    const [frame, key] = entry.split(':');
    const unkept = typed ? 0 : Number(frame) - made - 1;
    await page.evaluate((count) => Module.runFrames(count, true, false), unkept);
    const { close, mean } = await compareFrame(page, frame, !typed);
    console.log(`frame ${frame}: ${(close * 100).toFixed(3)}% within 8, mean ${mean.toFixed(3)}`);
    if (close < 0.999 || mean > 0.15) {
      failures.push(`frame ${frame} differs from the desktop's`);
    }
    made = Number(frame);
    typed = key !== '-';
    if (key === 'M') {
      await page.keyboard.down('Shift'); // M is Shift and m
      await page.keyboard.press('M');
      await page.keyboard.up('Shift');
    } else if (typed) {
      await page.keyboard.press(key);
    }
  }
}

// A page whose program cannot load (a file of it blocked) says so instead of "Loading…" for ever.
async function checkMissing(browser, file) {
  const page = await browser.newPage();
  const session = await page.createCDPSession();
  await session.send('Network.enable');
  await session.send('Network.setBlockedURLs', { urls: [`*${file}`] });
  await page.goto(url);
  const said = () => /could not/.test(document.getElementById('status').textContent);
  const unsaid = () => failures.push(`no ${file}: the page does not say so`);
  await page.waitForFunction(said, { timeout: 60000 }).catch(unsaid);
  await page.close();
}

const browser = await launchChromium();
try {
  const page = await openWorld(browser, url);
  await checkFrames(page);
  await checkMissing(browser, '.wasm');
  await checkMissing(browser, '.data');
} finally {
  await browser.close(); // and its processes, whatever happened
}
failures.forEach((failure) => console.error(`FAIL ${failure}`));
process.exit(failures.length === 0 ? 0 : 1);
