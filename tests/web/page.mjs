// The web build's end-to-end checks in headless Chromium, called by tests/e2e/test_web_*.sh:
//   node page.mjs replay WEB_DIR SCRIPT OUT_DIR  plays SCRIPT (?replay, ?report); writes its shots,
//                                               report.txt (the page's report) and exit.txt
//   node page.mjs input WEB_DIR                 plays live with keys typed as a player's
//   node page.mjs records WEB_DIR               records kept across a reload
import {mkdtempSync, readdirSync, symlinkSync, writeFileSync, copyFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {basename, join, resolve} from 'node:path';

import {Browser, serve} from './browser.mjs';

const [mode, webDir, ...rest] = process.argv.slice(2);

// A folder served for one test: the web build's files, and the files the test adds.
function siteFolder(extraFiles = []) {
  const folder = mkdtempSync(join(tmpdir(), 'quarnel-site-'));
  for (const name of readdirSync(webDir))
    if (/\.(html|js|wasm|data|png)$/.test(name)) symlinkSync(resolve(webDir, name), join(folder, name));
  for (const file of extraFiles) copyFileSync(file, join(folder, basename(file)));
  return folder;
}

// Colour counts over a rectangle of the canvas as the page shows it.
function canvasExpression(body) {
  return `(() => { const c = document.createElement('canvas'); c.width = 800; c.height = 400;
    const g = c.getContext('2d'); g.drawImage(Module.canvas, 0, 0, 800, 400);
    const region = (x, y, w, h) => g.getImageData(x, y, w, h).data; ${body} })()`;
}
// How many pixels of a rectangle have a colour (`colour` tests r, g and b).
const COUNT_IN = (x, y, w, h, colour) => canvasExpression(
    `const d = region(${x}, ${y}, ${w}, ${h}); let n = 0;
     for (let i = 0; i < d.length; i += 4) { const [r, g, b] = d.slice(i, i + 3); n += ${colour}; } return n;`);
const WHITE = 'r > 200 && g > 200 && b > 200', CYAN = 'r < 60 && g > 200 && b > 200';
const WHITE_IN = (x, y, w, h) => COUNT_IN(x, y, w, h, WHITE);
const PIXEL = (x, y) => canvasExpression(`return Array.from(region(${x}, ${y}, 1, 1).slice(0, 3)).join(',');`);
const VIEW_SUM = canvasExpression(
    `const d = region(16, 16, 512, 256); let s = 0; for (let i = 0; i < d.length; ++i) s = (s * 31 + d[i]) | 0;
     return s;`);

async function replay(page, outDir) {
  const exit = await page.waitFor('document.body.dataset.exit', 900, 'the end of the replay');
  writeFileSync(join(outDir, 'exit.txt'), exit + '\n');
  writeFileSync(join(outDir, 'report.txt'), await page.evaluate('document.getElementById("report").textContent'));
  for (const name of await page.evaluate('Object.keys(Module.quarnelShots || {})'))
    writeFileSync(join(outDir, name), await page.shot(name));
}

async function framesLater(page, count) {
  const now = await page.evaluate('Module.quarnelFrames || 0');
  await page.waitFor(`(Module.quarnelFrames || 0) >= ${now + count}`, 60, `${count} frames`);
}

// The title's choice follows taps of Down and Up; a held Return starts nothing until it is let go;
// a tap of Up in play takes a step.
async function input(page) {
  const line1 = WHITE_IN(344, 222, 100, 18), line2 = WHITE_IN(344, 242, 100, 18);
  await page.waitFor(`${line1} > 50`, 60, 'the title with DadiZider 1 chosen');
  if (await page.evaluate(line2) !== 0) throw new Error('DadiZider 2 is drawn white before it was chosen');
  await page.tap('ArrowDown');
  await page.waitFor(`${line2} > 50 && ${line1} === 0`, 30, 'DadiZider 2 chosen after a tap of Down');
  await page.tap('ArrowUp');
  await page.waitFor(`${line1} > 50 && ${line2} === 0`, 30, 'DadiZider 1 chosen again after a tap of Up');
  await page.key('keyDown', 'Enter', 'Enter');
  await framesLater(page, 20);
  if (await page.evaluate(PIXEL(5, 5)) !== '0,0,0') throw new Error('the stage started while Return was held');
  await page.key('keyUp', 'Enter', 'Enter');
  await page.waitFor(`${PIXEL(5, 5)} === '51,51,51'`, 60, 'play after Return was let go');
  await framesLater(page, 10);
  const before = await page.evaluate(VIEW_SUM);
  await page.tap('ArrowUp');
  await page.waitFor(`${VIEW_SUM} !== ${before}`, 30, 'a step after a tap of Up');
}

// Records written to the game's records folder go on to IndexedDB and are on the title after a
// reload. (A stage played live to its end takes minutes: the file is put where the game saves it.)
async function records(page) {
  const best = COUNT_IN(280, 340, 420, 18, CYAN);
  const title = `${WHITE_IN(344, 222, 100, 18)} > 50`;
  await page.waitFor(title, 60, 'the title');
  if (await page.evaluate(best) !== 0) throw new Error('a BEST line before any record');
  await page.evaluate(`FS.writeFile(QUARNEL_RECORDS + '/records.txt',
    'algorithm=1 total=98.1 distance=50.0 time=48.1 time_ms=126583 steps=190 route=190 date=2026-12-08\\n')`);
  await page.waitFor('Module.quarnelRecordsKept >= 1', 30, 'the records kept in IndexedDB');
  // The old page still shows its title until the reload replaces it: wait for the new page.
  await page.evaluate('window.beforeReload = true');
  await page.send('Page.reload');
  await page.waitFor(`!window.beforeReload && typeof Module === 'object' && Module.quarnelFrames > 0 && ${title}`,
                     60, 'the title reloaded');
  await page.waitFor(`${best} > 50`, 30, 'the BEST line after the reload');
}

const browser = await Browser.launch();
const folder = siteFolder(mode === 'replay' ? [rest[0]] : []);
const server = await serve(folder);
try {
  if (mode === 'replay') {
    const page = await browser.open(`${server.url}index.html?replay=${basename(rest[0])}&report`);
    await replay(page, rest[1]);
  } else if (mode === 'input') {
    await input(await browser.open(`${server.url}index.html`));
  } else if (mode === 'records') {
    await records(await browser.open(`${server.url}index.html`));
  } else {
    throw new Error(`unknown mode ${mode}`);
  }
} catch (error) {
  console.error(`FAIL: ${error.message}`);
  process.exitCode = 1;
} finally {
  server.stop();
  await browser.close();
}
