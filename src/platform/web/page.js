// The page's side of the web build, run before the game starts: URL parameters as the command
// line, the records folder kept in IndexedDB, the result lines and exit code shown to the page,
// the canvas's size and fullscreen, and the run recorded for download.
var quarnelParams = new URLSearchParams(location.search);
var QUARNEL_RECORDS = '/home/web_user/.local/share/quarnel';
var QUARNEL_RUN = '/tmp/quarnel-run.txt';
var quarnelRate = 1;

Module.canvas = document.getElementById('canvas');
Module.arguments = [];
if (quarnelParams.has('seed')) Module.arguments.push('--seed', quarnelParams.get('seed'));
if (quarnelParams.has('lang')) Module.arguments.push('--lang', quarnelParams.get('lang'));
if (quarnelParams.has('report')) Module.arguments.push('--report');
if (quarnelParams.has('frame-stats')) Module.arguments.push('--frame-stats');
// Live play is always recorded, so that the run can be downloaded and replayed anywhere.
if (quarnelParams.has('replay')) Module.arguments.push('--replay', '/replay.txt');
else Module.arguments.push('--record', QUARNEL_RUN);

Module.print = function(line) {
  document.getElementById('report').textContent += line + '\n';
  console.log(line);
};
// What the game says went wrong (a file it cannot read, an unknown ?lang) shows under the picture.
Module.printErr = function(line) {
  document.getElementById('message').textContent += line + '\n';
  console.error(line);
};
// The exit status as a process has it (main's -1 is 255); a save in the last frame is kept too.
Module.onExit = function(code) {
  quarnelKeepRecords();
  document.body.dataset.exit = String(code & 255);
};
// A main that returned to the browser (Asyncify) ends later: its result comes here, not to onExit.
Module.postRun = Module.postRun || [];
Module.postRun.push(function() {
  if (Asyncify.currData) Asyncify.whenDone().then(Module.onExit);
});

Module.preRun = Module.preRun || [];
Module.preRun.push(function() {
  FS.mkdirTree(QUARNEL_RECORDS);
  FS.mount(IDBFS, {}, QUARNEL_RECORDS);
  addRunDependency('records');
  FS.syncfs(true, function(error) {
    if (error) Module.printErr('quarnel: cannot read the records kept in this browser: ' + error);
    quarnelWatchRecords();
    removeRunDependency('records');
  });
  if (!quarnelParams.has('replay')) return;
  addRunDependency('replay');
  fetch(quarnelParams.get('replay')).then(function(response) {
    if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
    return response.text();
  }).then(function(text) {
    FS.writeFile('/replay.txt', text);
  }).catch(function(error) {
    Module.printErr('quarnel: cannot fetch the replay ' + quarnelParams.get('replay') + ': ' + error.message);
  }).finally(function() { removeRunDependency('replay'); });
});

// The game saves its records by renaming a new file over the old. After the frame that did, the
// folder goes on to IndexedDB, and the game's other pages in this browser read it again, so that
// their next save keeps this one's best.
var quarnelRecordsSaved = false;
var quarnelRecordsNews = new BroadcastChannel('quarnel-records');
function quarnelWatchRecords() {
  var rename = FS.rename;
  FS.rename = function(from, to) {
    rename(from, to);
    if (to.indexOf(QUARNEL_RECORDS + '/') === 0) quarnelRecordsSaved = true;
  };
  quarnelRecordsNews.onmessage = function() {
    FS.syncfs(true, function(error) {
      if (error) Module.printErr('quarnel: cannot read the records kept in this browser: ' + error);
    });
  };
}

function quarnelKeepRecords() {
  if (!quarnelRecordsSaved) return;
  quarnelRecordsSaved = false;
  FS.syncfs(false, function(error) {
    if (error) return Module.printErr('quarnel: cannot keep the records in this browser: ' + error);
    Module.quarnelRecordsKept = (Module.quarnelRecordsKept || 0) + 1;
    quarnelRecordsNews.postMessage('saved');
  });
}
Module.quarnelAfterFrame = quarnelKeepRecords;

// The picture fills the page's free space by whole multiples of its size (the backend draws it by
// the nearest pixel); in fullscreen the canvas takes the screen and the backend fits the picture.
function quarnelFit() {
  var canvas = Module.canvas, ratio = window.devicePixelRatio || 1;
  var bar = document.getElementById('bar');
  var width = 800 * quarnelRate, height = 400 * quarnelRate;
  var freeWidth = window.innerWidth, freeHeight = window.innerHeight - (bar ? bar.offsetHeight : 0);
  if (document.fullscreenElement) {
    width = window.innerWidth;
    height = window.innerHeight;
  } else {
    var whole = Math.max(1, Math.floor(Math.min(freeWidth / width, freeHeight / height)));
    width *= whole;
    height *= whole;
  }
  canvas.style.width = width + 'px';
  canvas.style.height = height + 'px';
  canvas.width = Math.round(width * ratio);
  canvas.height = Math.round(height * ratio);
}
Module.quarnelSetRate = function(rate) {
  quarnelRate = rate;
  quarnelFit();
};

function quarnelToggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else Module.canvas.requestFullscreen();
}

function quarnelDownloadRun() {
  var link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([FS.readFile(QUARNEL_RUN)], {type: 'text/plain'}));
  link.download = 'quarnel-run.txt';
  link.click();
}

window.addEventListener('resize', quarnelFit);
document.addEventListener('fullscreenchange', quarnelFit);
window.addEventListener('keydown', function(event) {
  if (!event.altKey || (event.code !== 'Enter' && event.code !== 'NumpadEnter')) return;
  event.preventDefault();
  if (!event.repeat) quarnelToggleFullscreen();
}, true);
document.getElementById('fullscreen').addEventListener('click', quarnelToggleFullscreen);
document.getElementById('download').addEventListener('click', quarnelDownloadRun);
quarnelFit();
