// Benchmark of the web build in headless Chromium: the frame rate of COUNT frames (180) of the
// default view from FIRST (by default 2971 to 3150 of the first round, the carrier column walking
// out, 384 shapes a frame; 4577 on gives the round's most, 747) at the page's own pace, an empty
// page's rate in the same browser, and what a frame costs the page.
// Usage: node web/benchmark.mjs URL [FIRST [COUNT]]; prints one line per figure.
import { launchChromium, openWorld } from './chromium.mjs';

const url = process.argv[2];
const firstFrame = Number(process.argv[3] ?? 2971);
const frameCount = Number(process.argv[4] ?? 180);

// Counts what reaches WebGL: bytes of vertex data uploaded, draw calls, triangles and lines.
function countWebGlWork() {
  window.glWork = { bytes: 0, draws: 0, triangles: 0, lines: 0 };
  const gl = WebGLRenderingContext.prototype;
  const bufferData = gl.bufferData;
  const bufferSubData = gl.bufferSubData;
  const drawArrays = gl.drawArrays;
  const drawElements = gl.drawElements;
  const countPrimitives = (mode, count) => {
    window.glWork.draws += 1;
    if (mode === gl.TRIANGLES) {
      window.glWork.triangles += count / 3;
    } else if (mode === gl.LINES) {
      window.glWork.lines += count / 2;
    }
  };
  gl.bufferData = function (target, data, usage) {
    window.glWork.bytes += data?.byteLength ?? 0;
    return bufferData.call(this, target, data, usage);
  };
  gl.bufferSubData = function (target, offset, data) {
    window.glWork.bytes += data.byteLength;
    return bufferSubData.call(this, target, offset, data);
  };
  gl.drawArrays = function (mode, first, count) {
    countPrimitives(mode, count);
    return drawArrays.call(this, mode, first, count);
  };
  gl.drawElements = function (mode, count, type, offset) {
    countPrimitives(mode, count);
    return drawElements.call(this, mode, count, type, offset);
  };
}

// Frames a page draws in `seconds`, by its animation frames, per second.
async function animationFrameRate(page, seconds) {
  return page.evaluate(async (milliseconds) => {
    let frames = 0;
    const count = () => {
      frames += 1;
      requestAnimationFrame(count);
    };
    requestAnimationFrame(count);
    await new Promise((done) => setTimeout(done, milliseconds));
    return frames / (milliseconds / 1000);
  }, seconds * 1000);
}

// Brings the world, held, to the frame before `frame`, as a recording makes them, with the
// animation running.
async function stepBefore(page, frame) {
  await page.evaluate(() => Module.holdFrames(true));
  await page.keyboard.press('s');
  await page.evaluate((count) => Module.runFrames(count, true, false), frame - 1);
}

// The busy stretch at the page's pace: frames per second, and the WebGL work per frame.
async function busyStretch(browser) {
  const counting = (opened) => opened.evaluateOnNewDocument(countWebGlWork);
  const page = await openWorld(browser, url, counting);
  await stepBefore(page, firstFrame);
  return page.evaluate(async (frames) => {
    const start = Module.framesDrawn;
    const work = { ...window.glWork };
    const startTime = performance.now();
    Module.holdFrames(false);
    while (Module.framesDrawn < start + frames) {
      await new Promise((done) => requestAnimationFrame(done));
    }
    const seconds = (performance.now() - startTime) / 1000;
    const drawn = Module.framesDrawn - start;
    const perFrame = (name) => (window.glWork[name] - work[name]) / drawn;
    return {
      rate: drawn / seconds,
      kilobytes: perFrame('bytes') / 1024,
      draws: perFrame('draws'),
      triangles: perFrame('triangles'),
      lines: perFrame('lines'),
    };
  }, frameCount);
}

// The frames after the stretch, drawn one after the other at once: the median time of a frame's
// script and WebAssembly (the browser's drawing aside), and of a frame drawn to its end by the
// browser's software rasteriser (a pixel read back after each).
async function frameTimes(browser) {
  const page = await openWorld(browser, url);
  await stepBefore(page, firstFrame);
  return page.evaluate((frames) => {
    const median = (finish) => {
      const times = [];
      for (let i = 0; i < frames / 2; i++) {
        const start = performance.now();
        Module.runFrames(1, true, true);
        finish();
        times.push(performance.now() - start);
      }
      return times.sort((a, b) => a - b)[Math.floor(times.length / 2)];
    };
    const pixel = new Uint8Array(4);
    const gl = Module.ctx;
    return {
      script: median(() => {}),
      drawn: median(() => gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel)),
    };
  }, frameCount);
}

const browser = await launchChromium();
try {
  const empty = await browser.newPage();
  const emptyRate = await animationFrameRate(empty, 5);
  await empty.close();
  const busy = await busyStretch(browser);
  const times = await frameTimes(browser);
  const stretch = `frames ${firstFrame} to ${firstFrame + frameCount - 1}`;
  console.log(`page, ${stretch}: ${busy.rate.toFixed(1)} frames per second`);
  console.log(`empty page: ${emptyRate.toFixed(1)} frames per second`);
  console.log(`share of the empty page's rate: ${(busy.rate / emptyRate).toFixed(2)}`);
  console.log(`per frame: ${busy.kilobytes.toFixed(0)} KB of vertices uploaded, ` +
    `${busy.draws.toFixed(0)} draws, ${busy.triangles.toFixed(0)} triangles, ` +
    `${busy.lines.toFixed(0)} lines`);
  console.log(`per frame: ${times.script.toFixed(2)} ms of script and WebAssembly, ` +
    `${times.drawn.toFixed(1)} ms drawn to its end (median)`);
} finally {
  await browser.close();
}
