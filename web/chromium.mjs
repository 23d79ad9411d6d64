// Headless Chromium as the browser test and the benchmark drive it: software GL (SwiftShader),
// frames paced by the browser at 60 a second, a window that holds the page's 1024 by 768 picture.
import { createRequire } from 'node:module';

const require = createRequire(new URL('./node_modules/', import.meta.url));
const puppeteer = require('puppeteer-core');

const chromiumFlags = [
  '--no-sandbox',
  '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader',
  '--disable-quic',
  '--disable-component-update',
];

export function launchChromium() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    defaultViewport: { width: 1400, height: 820 },
    args: chromiumFlags,
  });
}

// Opens the page at `url`, made ready first by `prepare` if given, and waits for the program's
// first frame.
export async function openWorld(browser, url, prepare = async () => {}) {
  const page = await browser.newPage();
  await prepare(page);
  await page.goto(url);
  await page.waitForFunction(() => window.Module?.framesDrawn >= 1, { timeout: 120000 });
  return page;
}
