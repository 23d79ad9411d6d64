// Browser side of the web platform: one idle call per drawn frame, and lighting as the desktop's.
mergeInto(LibraryManager.library, {
  // GLUT calls idle whenever it has nothing to do, which on the desktop means once between two
  // frames. Here the idle callback runs right before each frame the browser draws, and while it
  // is installed another frame is always asked for.
  glutIdleFunc__deps: ['$GLUT', 'glutPostRedisplay'],
  glutIdleFunc: function(func) {
    GLUT.idleFunc = func;
    if (func) _glutPostRedisplay();
  },

  glutPostRedisplay__deps: ['$GLUT', '$Browser', '$fixedFunctionLighting'],
  glutPostRedisplay: function() {
    if (!GLUT.displayFunc || GLUT.requestedAnimationFrame) return;
    GLUT.requestedAnimationFrame = true;
    Browser.requestAnimationFrame(function() {
      GLUT.requestedAnimationFrame = false;
      if (EXITSTATUS !== undefined) return; // exit() was called: no more frames
      Browser.mainLoop.runIter(function() {
        if (GLUT.idleFunc) {{{ makeDynCall('v', 'GLUT.idleFunc') }}}();
        {{{ makeDynCall('v', 'GLUT.displayFunc') }}}();
        Module['framesDrawn'] = (Module['framesDrawn'] || 0) + 1; // for the page's frame rate
      });
      if (GLUT.idleFunc) _glutPostRedisplay();
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
