// The web build's end-to-end checks in headless Chromium, called by tests/e2e/test_web_*.sh:
//   node page.mjs replay WEB_DIR SCRIPT OUT_DIR [QUERY]
//       plays SCRIPT (?replay, ?report and QUERY); writes its shots, report.txt (the page's report)
//       and exit.txt
//   node page.mjs input WEB_DIR
//       plays live with keys typed as a player's, then with a gamepad
//   node page.mjs stage WEB_DIR SEED MOVES OUT_DIR
//       plays stage 1 of SEED live with the moves of MOVES; writes report.txt, records.txt and the
//       run the page's button downloads
import {copyFileSync, existsSync, mkdtempSync, readdirSync, readFileSync, symlinkSync, writeFileSync} from 'node:fs';
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

// The player's hands: keys typed, or the buttons of a standard gamepad the page is given.
const KEYS = {down: 'ArrowDown', up: 'ArrowUp', start: 'Enter'};
const keyboard = (page) => ({
  press: (what) => page.key('keyDown', KEYS[what]),
  letGo: (what) => page.key('keyUp', KEYS[what]),
  tap: (what) => page.tap(KEYS[what]),
});
// The browser is asked for its pads once a frame, so a tap holds a button for a few frames.
const PAD_BUTTONS = {down: 13, up: 12, start: 0};
const GAMEPAD = `(() => {
  const pad = {connected: true, index: 0, id: 'test pad', mapping: 'standard', timestamp: 0, axes: [0, 0, 0, 0],
               buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
  navigator.getGamepads = () => [pad];
  window.quarnelPad = pad; })()`;
function gamepad(page) {
  const set = (what, down) =>
      page.evaluate(`quarnelPad.buttons[${PAD_BUTTONS[what]}] = {pressed: ${down}, value: ${Number(down)}}`);
  const tap = async (what) => {
    await set(what, true);
    await framesLater(page, 3);
    await set(what, false);
  };
  return {press: (what) => set(what, true), letGo: (what) => set(what, false), tap};
}

const LINE1 = WHITE_IN(344, 222, 100, 18), LINE2 = WHITE_IN(344, 242, 100, 18);
const TITLE_WITH_1 = `${LINE1} > 50 && ${LINE2} === 0`;

// The Fullscreen button switches the page to fullscreen and Alt+Enter back; the game sees neither.
async function fullscreen(page) {
  const {x, y} = await page.evaluate(`(() => {
    const box = document.getElementById('fullscreen').getBoundingClientRect();
    return {x: box.x + box.width / 2, y: box.y + box.height / 2}; })()`);
  for (const type of ['mousePressed', 'mouseReleased'])
    await page.send('Input.dispatchMouseEvent', {type, x, y, button: 'left', clickCount: 1});
  await page.waitFor('document.fullscreenElement !== null', 30, 'fullscreen after a click on the button');
  await page.key('keyDown', 'Enter', 'Enter', 1);
  await page.key('keyUp', 'Enter', 'Enter', 1);
  await page.waitFor('document.fullscreenElement === null', 30, 'the page again after Alt+Enter');
  await framesLater(page, 20);
  if (!await page.evaluate(`${PIXEL(5, 5)} === '0,0,0' && ${TITLE_WITH_1}`))
    throw new Error('the switches to fullscreen and back acted in the game');
}

// Another tab takes the focus and hides the page, which draws no frames meanwhile; then the page
// has it back. (A key held through it stays held until it is let go on the page.)
async function focusAway(browser, page) {
  const other = await browser.open('about:blank');
  await page.waitFor('document.visibilityState === "hidden"', 30, 'the page hidden behind another tab');
  const frames = await page.evaluate('Module.quarnelFrames');
  await other.evaluate(`new Promise((done) => {
    let n = 0;
    const next = () => (++n < 30 ? requestAnimationFrame(next) : done());
    requestAnimationFrame(next); })`);
  if (await page.evaluate('Module.quarnelFrames') > frames + 1) throw new Error('the hidden page went on drawing');
  await page.activate();
  await browser.send('Target.closeTarget', {targetId: other.targetId});
  await framesLater(page, 10);
}

// The title's choice follows taps of down and up; a held start starts nothing until it is let go;
// a tap of up in play takes a step. `whileHeld` runs while start is held.
async function play(page, hands, whileHeld = async () => {}) {
  await page.waitFor(TITLE_WITH_1, 60, 'the title with DadiZider 1 chosen');
  await hands.tap('down');
  await page.waitFor(`${LINE2} > 50 && ${LINE1} === 0`, 30, 'DadiZider 2 chosen after a tap of down');
  await hands.tap('up');
  await page.waitFor(TITLE_WITH_1, 30, 'DadiZider 1 chosen again after a tap of up');
  await hands.press('start');
  await framesLater(page, 20);
  await whileHeld();
  if (await page.evaluate(PIXEL(5, 5)) !== '0,0,0') throw new Error('the stage started while start was held');
  await hands.letGo('start');
  await page.waitFor(`${PIXEL(5, 5)} === '51,51,51'`, 60, 'play after start was let go');
  await framesLater(page, 10);
  const before = await page.evaluate(VIEW_SUM);
  await hands.tap('up');
  await page.waitFor(`${VIEW_SUM} !== ${before}`, 30, 'a step after a tap of up');
}

async function input(browser, url) {
  const page = await browser.open(url);
  await page.waitFor(TITLE_WITH_1, 60, 'the title');
  await fullscreen(page);
  await play(page, keyboard(page), () => focusAway(browser, page));
  const padPage = await browser.open(url);
  await padPage.waitFor('typeof Module === "object" && Module.quarnelFrames > 0', 60, 'the page');
  await padPage.evaluate(GAMEPAD);
  await play(padPage, gamepad(padPage));
  // A page the game cannot start says why on the page, not only on the console.
  const refused = await browser.open(`${url}?lang=xx`);
  await refused.waitFor(`document.body.dataset.exit === '2' &&
    document.getElementById('message').textContent.includes("no texts for the language 'xx'")`, 60, 'the refusal');
}

// A stage of ?seed played live to its exit with the moves of MOVES_FILE: the result line, the
// records kept in IndexedDB, read by the game in another tab and shown after a reload, and the run
// as the page's button downloads it.
const RECORDS_FILE = `(FS.analyzePath(QUARNEL_RECORDS + '/records.txt').exists &&
  FS.readFile(QUARNEL_RECORDS + '/records.txt', {encoding: 'utf8'}))`;
async function stage(browser, url, movesFile, outDir) {
  // The game open in another tab beside the one played: it reads the records the other saves.
  const beside = await browser.open(url);
  await beside.waitFor('typeof Module === "object" && Module.quarnelFrames > 0', 60, 'the game in another tab');
  const page = await browser.open(url);
  const best = COUNT_IN(280, 340, 420, 18, CYAN);
  const title = `${WHITE_IN(344, 222, 100, 18)} > 50`;
  await page.waitFor(title, 60, 'the title');
  if (await page.evaluate(best) !== 0) throw new Error('a BEST line before any record');
  await page.tap('Enter');
  await page.waitFor(`${PIXEL(5, 5)} === '51,51,51'`, 60, 'play');
  await page.walk(readFileSync(movesFile, 'utf8').split(/\s+/).filter(Boolean));
  for (const screen of ['goal picture', 'route review']) {  // Return leaves each
    await page.tap('Enter');
    await page.ticksPast((await page.runTicks()) + 5);
  }
  await page.waitFor('document.getElementById("report").textContent', 60, 'the result line');
  await page.tap('Enter');  // from the score panel to the title, which the records were saved for
  await page.waitFor('Module.quarnelRecordsKept >= 1', 60, 'the records kept in IndexedDB');
  await page.waitFor(`${best} > 50`, 60, 'the BEST line on the next title');
  await page.tap('Escape');
  await page.waitFor('document.body.dataset.exit', 60, 'the game to end');
  writeFileSync(join(outDir, 'report.txt'), await page.evaluate('document.getElementById("report").textContent'));
  const records = await page.evaluate(RECORDS_FILE);
  writeFileSync(join(outDir, 'records.txt'), records);
  await beside.waitFor(`${RECORDS_FILE} === ${JSON.stringify(records)}`, 30, 'the records saved in the other tab');
  await page.browser.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: resolve(outDir)});
  await page.evaluate('document.getElementById("download").click()');
  await page.until(() => existsSync(join(outDir, 'quarnel-run.txt')), 'the run downloaded');
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
    const query = rest[2] ? `&${rest[2]}` : '';
    const page = await browser.open(`${server.url}index.html?replay=${basename(rest[0])}&report${query}`);
    await replay(page, rest[1]);
  } else if (mode === 'input') {
    await input(browser, `${server.url}index.html`);
  } else if (mode === 'stage') {
    await stage(browser, `${server.url}index.html?seed=${rest[0]}&report`, rest[1], rest[2]);
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
