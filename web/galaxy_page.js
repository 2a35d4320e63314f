// The page around the program: the caption in the title and the status line,
// a failure shown in place of the canvas with its reason, never a blank page.
'use strict';

var Module = (function () {
  const lastErrors = [];  // the program's last lines on standard error

  function showCaption(text) {
    document.title = text;
    document.getElementById('status').textContent = text;
  }

  function showFailure(caption, text) {
    document.getElementById('canvas').hidden = true;
    document.getElementById('failure-caption').textContent = caption;
    document.getElementById('failure-text').textContent = text;
    document.getElementById('failure-reason').textContent = lastErrors.join('\n');
    document.getElementById('failure').hidden = false;
  }

  function printErr(line) {
    lastErrors.push(line.replace(/^galaxy: /, ''));
    if (lastErrors.length > 3) lastErrors.shift();
    console.warn(line);
  }

  const module = {
    canvas: null,
    showCaption,
    showFailure,
    print: line => console.log(line),
    printErr,
    onAbort: what => showFailure('Galaxy stopped', 'The viewer stopped: ' + what),
  };

  document.addEventListener('DOMContentLoaded', () => {
    const canvas = document.getElementById('canvas');
    module.canvas = canvas;
    canvas.addEventListener('webglcontextcreationerror', e => {
      module.webglCreationError = e.statusMessage || '';
    });
  });
  // The program's script could not be fetched or run.
  window.addEventListener('error', e => {
    if (e.target && e.target.tagName === 'SCRIPT') showFailure('Galaxy', 'The viewer could not be loaded: ' + e.target.src);
  }, true);
  return module;
})();
