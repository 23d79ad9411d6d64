// Browser side of the web platform: the page's paced frames, frames on demand, the right-button
// menu, and lighting as the desktop's.
mergeInto(LibraryManager.library, {
  // GLUT calls idle whenever it has nothing to do, which on the desktop means once between two
  // frames. Here the idle callback runs right before each frame the page draws, and while it
  // is installed another frame is always asked for.
  glutIdleFunc__deps: ['$GLUT', 'glutPostRedisplay'],
  glutIdleFunc: function(func) {
    GLUT.idleFunc = func;
    if (func) _glutPostRedisplay();
  },

  // One frame: the idle callback first when `ticked` and one is installed, then the display.
  $drawFrame__deps: ['$GLUT'],
  $drawFrame: function(ticked) {
    if (ticked && GLUT.idleFunc) {{{ makeDynCall('v', 'GLUT.idleFunc') }}}();
    {{{ makeDynCall('v', 'GLUT.displayFunc') }}}();
    Module['framesDrawn'] = (Module['framesDrawn'] || 0) + 1; // for the page's frame rate
  },

  // The page draws on the browser's animation frames, which come at the screen's refresh (60,
  // 120, 144 a second or more), at most one frame in each 1/60 s slot: a frame is drawn on the
  // first animation frame in a slot after the last frame's, and a slot missed is not made up.
  // Slots are counted from half a slot before the first frame, so that the animation frames of a
  // 60 Hz screen fall in the middle of theirs. While the page holds its frames it makes none.
  glutPostRedisplay__deps: ['$GLUT', '$Browser', '$drawFrame', '$fixedFunctionLighting',
                            '$framesOnDemand'],
  glutPostRedisplay: function() {
    if (!GLUT.displayFunc || GLUT.requestedAnimationFrame || GLUT.framesHeld) return;
    GLUT.requestedAnimationFrame = true;
    var slotMilliseconds = 1000 / 60;
    Browser.requestAnimationFrame(function pacedFrame(time) {
      if (GLUT.slotOrigin === undefined) GLUT.slotOrigin = time - slotMilliseconds / 2;
      var slot = Math.floor((time - GLUT.slotOrigin) / slotMilliseconds);
      if (slot <= GLUT.lastSlot) {
        Browser.requestAnimationFrame(pacedFrame);
        return;
      }
      GLUT.requestedAnimationFrame = false;
      if (GLUT.framesHeld || EXITSTATUS !== undefined) return; // held, or exit() was called
      GLUT.lastSlot = slot;
      Browser.mainLoop.runIter(function() {
        drawFrame(true);
      });
      if (GLUT.idleFunc) _glutPostRedisplay();
    });
  },

  // Frames on demand, for setting the page beside the desktop's recording frame by frame.
  // Module.holdFrames(true) stops the page's own frames and (false) lets them come again, at
  // once if the idle callback asks for them;
  // Module.runFrames(count, ticked, drawn) makes `count` frames at once, each as drawFrame does,
  // and draws them only if `drawn`: else the world moves on and no shape reaches GL.
  $framesOnDemand__deps: ['$GLUT', '$drawFrame'],
  $framesOnDemand__postset: 'framesOnDemand();',
  $framesOnDemand: function() {
    Module['holdFrames'] = function(held) {
      GLUT.framesHeld = held;
      if (!held && GLUT.idleFunc) _glutPostRedisplay();
    };
    Module['runFrames'] = function(count, ticked, drawn) {
      Module['_webDrawShapes'](drawn ? 1 : 0);
      for (var i = 0; i < count; i++) drawFrame(ticked);
      Module['_webDrawShapes'](1);
    };
  },

  // The right-button menu, as the desktop's: the list of its entries opens at the pointer;
  // choosing one calls the menu callback with the entry's value. Any click or key closes it.
  glutCreateMenu__deps: ['$GLUT'],
  glutCreateMenu: function(callback) {
    var list = document.createElement('ul');
    list.className = 'menu';
    list.hidden = true;
    document.body.appendChild(list);
    GLUT.menu = {callback: callback, list: list};
    var close = function() {
      list.hidden = true;
    };
    window.addEventListener('click', close);
    window.addEventListener('keydown', close);
    return 1;
  },

  glutAddMenuEntry__deps: ['$GLUT'],
  glutAddMenuEntry: function(name, value) {
    var menu = GLUT.menu;
    var item = document.createElement('li');
    item.textContent = UTF8ToString(name);
    item.addEventListener('click', function() {
      {{{ makeDynCall('vi', 'menu.callback') }}}(value);
    });
    menu.list.appendChild(item);
  },

  glutAttachMenu__deps: ['$GLUT'],
  glutAttachMenu: function(button) {
    var list = GLUT.menu.list;
    Module['canvas'].addEventListener('contextmenu', function(event) {
      event.preventDefault();
      if (button != 2) return; // GLUT_RIGHT_BUTTON
      list.style.left = event.clientX + 'px';
      list.style.top = event.clientY + 'px';
      list.hidden = false;
    });
  },

  // The GL emulation lights every light as a directional one along its position taken as a
  // 4-vector (so w shortens it) and normalises every normal. Fixed-function GL aims a light with
  // w != 0 from the lit point to its place, and uses the normals as transformed, since the
  // program never enables GL_NORMALIZE. Its vertex shaders are rewritten to do the same.
  $fixedFunctionLighting__postset: 'fixedFunctionLighting();',
  $fixedFunctionLighting: function() {
    var shaderSource = WebGLRenderingContext.prototype.shaderSource;
    WebGLRenderingContext.prototype.shaderSource = function(shader, source) {
      source = source.replace('normalize(u_normalMatrix * a_normal)', '(u_normalMatrix * a_normal)')
        .replace(/normalize\((u_lightPosition\d+)\)\.xyz/g, function(all, light) {
          return '(' + light + '.w == 0.0 ? normalize(' + light + '.xyz) : normalize(' + light +
            '.xyz / ' + light + '.w - ecPosition.xyz / ecPosition.w))';
        });
      return shaderSource.call(this, shader, source);
    };
  },
});
