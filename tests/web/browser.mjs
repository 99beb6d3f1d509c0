// Drives headless Chromium for the web build's tests: serves a folder on 127.0.0.1, opens pages,
// evaluates script in them, waits for a state, types keys. Chromium's DevTools protocol runs over
// --remote-debugging-pipe (NUL-ended JSON on file descriptors 3 and 4), so nothing listens on a port
// but the web server.
import {spawn} from 'node:child_process';
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

// Serves `folder` and returns {url, stop}.
export async function serve(folder) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0'],
                       {cwd: folder, stdio: ['ignore', 'pipe', 'ignore']});
  const port = await new Promise((resolve, reject) => {
    let seen = '';
    server.stdout.on('data', (chunk) => {
      seen += chunk;
      const match = /port (\d+)/.exec(seen);
      if (match) resolve(match[1]);
    });
    server.on('exit', () => reject(new Error('the web server stopped')));
  });
  return {url: `http://127.0.0.1:${port}/`, stop: () => server.kill()};
}

export class Browser {
  static async launch() {
    const profile = mkdtempSync(join(tmpdir(), 'quarnel-chromium-'));
    const process = spawn('chromium', [
      '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
      '--disable-gpu-sandbox', '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--remote-debugging-pipe', '--window-size=800,440', `--user-data-dir=${profile}`,
      'about:blank'], {stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe']});
    return new Browser(process, profile);
  }

  constructor(process, profile) {
    this.process = process;
    this.profile = profile;
    this.nextId = 1;
    this.waiting = new Map();
    this.listeners = [];
    let buffer = '';
    process.stdio[4].on('data', (chunk) => {
      buffer += chunk;
      let end;
      while ((end = buffer.indexOf('\0')) >= 0) {
        this.receive(JSON.parse(buffer.slice(0, end)));
        buffer = buffer.slice(end + 1);
      }
    });
  }

  receive(message) {
    if (message.id && this.waiting.has(message.id)) {
      const {resolve, reject} = this.waiting.get(message.id);
      this.waiting.delete(message.id);
      if (message.error) reject(new Error(JSON.stringify(message.error)));
      else resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.process.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + '\0');
    return new Promise((resolve, reject) => this.waiting.set(id, {resolve, reject}));
  }

  // A new tab showing `url`; console lines go to `console` of the returned page.
  async open(url) {
    const {targetId} = await this.send('Target.createTarget', {url: 'about:blank'});
    const {sessionId} = await this.send('Target.attachToTarget', {targetId, flatten: true});
    const page = new Page(this, sessionId, targetId);
    // The page as a player sees it on a desktop: room for the picture and the buttons under it.
    await page.send('Emulation.setDeviceMetricsOverride', {width: 800, height: 440, deviceScaleFactor: 1,
                                                            mobile: false});
    await page.send('Runtime.enable');
    await page.send('Page.enable');
    await page.send('Page.navigate', {url});
    return page;
  }

  // Chromium is asked to close, so that it ends its helper processes too; its profile is removed
  // after, and a helper still writing there leaves litter in /tmp, never a failed test.
  async close() {
    const ended = new Promise((resolve) => this.process.on('exit', resolve));
    this.send('Browser.close').catch(() => {});
    const killer = setTimeout(() => this.process.kill(), 5000);
    await ended;
    clearTimeout(killer);
    try {
      rmSync(this.profile, {recursive: true, force: true, maxRetries: 10, retryDelay: 200});
    } catch (error) {
      console.error(`warning: could not remove ${this.profile}: ${error.code}`);
    }
  }
}

export class Page {
  constructor(browser, sessionId, targetId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.console = [];
    browser.listeners.push((message) => {
      if (message.sessionId !== sessionId) return;
      if (message.method === 'Runtime.consoleAPICalled')
        this.console.push(message.params.args.map((a) => a.value ?? a.description).join(' '));
      if (message.method === 'Runtime.exceptionThrown')
        this.console.push('exception: ' + JSON.stringify(message.params.exceptionDetails.exception?.description));
    });
  }

  send(method, params = {}) { return this.browser.send(method, params, this.sessionId); }

  // The tab brought to the front, with the focus, as a player's click on it does.
  async activate() {
    await this.browser.send('Target.activateTarget', {targetId: this.targetId});
    await this.waitFor('document.hasFocus()', 30, 'the focus back on the page');
  }

  async evaluate(expression) {
    const {result, exceptionDetails} = await this.send('Runtime.evaluate', {expression, returnByValue: true,
                                                                             awaitPromise: true});
    if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.text}`);
    return result.value;
  }

  // Polls `expression` until it gives a truthy value, which it returns; fails after `seconds`.
  waitFor(expression, seconds, what = expression) {
    return this.until(() => this.evaluate(expression).catch(() => undefined), what, seconds);
  }

  // A key pressed or let go, as the browser reports a player's (`code` is KeyboardEvent.code).
  key(type, code, key = code, modifiers = 0) {
    return this.send('Input.dispatchKeyEvent', {type, code, key, modifiers,
                                                 windowsVirtualKeyCode: VIRTUAL_KEYS[code] ?? 0});
  }
  async tap(code, key = code) {
    await this.key('keyDown', code, key);
    await this.key('keyUp', code, key);
  }

  // The game's ticks so far (no `key`), or the first tick after `after` that saw `key` (0 while
  // none has), read off the run the page records of live play.
  runTicks(key = null, after = 0) {
    return this.evaluate(`((key, after) => {
      let t = 0;
      for (const line of FS.readFile(QUARNEL_RUN, {encoding: 'utf8'}).split('\\n')) {
        const [ticks, keys] = line.split(' ');
        if (!/^[0-9]+$/.test(ticks)) continue;
        if (key !== null && t >= after && keys === key) return t + 1;
        t += Number(ticks);
      }
      return key === null ? t : 0; })(${JSON.stringify(key)}, ${after})`);
  }
  async ticksPast(ticks) {
    await this.until(async () => (await this.runTicks()) >= ticks, `tick ${ticks}`);
  }

  // Walks live: taps each move's key (up, left or right) once the move before has ended. A tap
  // counts for one tick, and a move starts in the tick that sees it and takes 31.
  async walk(moves) {
    let moved = -100;
    for (const move of moves) {
      await this.ticksPast(moved + 30);
      const ticks = await this.runTicks();
      await this.tap(MOVE_KEYS[move]);
      moved = await this.until(() => this.runTicks(move, ticks), `the game seeing ${move}`);
    }
    await this.ticksPast(moved + 35);
  }

  // Polls `check` (an async function) until it gives a truthy value, which it returns; fails after
  // `seconds`.
  async until(check, what, seconds = 60) {
    const end = Date.now() + seconds * 1000;
    for (;;) {
      const value = await check();
      if (value) return value;
      if (Date.now() > end)
        throw new Error(`gave up waiting for ${what}; the console said:\n${this.console.join('\n')}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  // A picture the game saved at a replay's `shot NAME` line, as PNG bytes.
  async shot(name) {
    const base64 = await this.waitFor(`Module.quarnelShots && Module.quarnelShots[${JSON.stringify(name)}] &&
      btoa(Array.from(Module.quarnelShots[${JSON.stringify(name)}], (b) => String.fromCharCode(b)).join(''))`,
                                      120, `the shot ${name}`);
    return Buffer.from(base64, 'base64');
  }
}

const MOVE_KEYS = {up: 'ArrowUp', left: 'ArrowLeft', right: 'ArrowRight'};
const VIRTUAL_KEYS = {Enter: 13, Escape: 27, Space: 32, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40,
                      KeyR: 82, KeyE: 69};
