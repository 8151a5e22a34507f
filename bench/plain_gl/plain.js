// Draws full-canvas pictures on every animation callback with as little WebGL as it takes, for bench/gl_bench.mjs.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// index.html?pictures=N&full=F&shader=plain|exact&attributes=JSON&blend=0|1
//   pictures    how many pictures a frame (the game's own, from assets/)
//   full        how many of them cover the whole canvas (all): the rest are 40x40 in its corner
//   shader      plain: texture2D at the interpolated coordinate; exact: the game's fragment shader
//   attributes  the context's attributes where they differ from WebGL's own, e.g. {"antialias":false}
//   blend       whether the pictures are blended (1) or each replaces what is beneath (0)
'use strict';

const params = new URLSearchParams(location.search);
const count = Number(params.get('pictures') ?? 6);
const full = Number(params.get('full') ?? count);
const exact = params.get('shader') === 'exact';
const attributes = JSON.parse(params.get('attributes') ?? '{}');
const canvas = document.getElementById('canvas');
const gl = canvas.getContext('webgl', attributes);

const vertexShader = `
attribute vec2 position;
attribute vec4 across;
attribute vec4 down;
attribute vec4 tint;
varying vec2 at;
varying vec4 acrossLine;
varying vec4 downLine;
varying vec4 colour;
void main() {
    at = position;
    acrossLine = across;
    downLine = down;
    colour = tint;
    gl_Position = vec4(position.x * 2.0 - 1.0, 1.0 - position.y * 2.0, 0.0, 1.0);
}`;
const plainFragment = `
precision mediump float;
uniform sampler2D picture;
varying vec2 at;
void main() { gl_FragColor = texture2D(picture, at); }`;
// The game's fragment shader as it is, fed the lines the game computes for a picture at (0, 0).
const exactFragment = `
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
varying vec4 acrossLine;
varying vec4 downLine;
varying vec4 colour;
float along(vec4 line, float pixel) {
    float exactPart = line.x + line.y * pixel;
    return exactPart + line.z * pixel;
}
void main() {
    vec2 pixel = gl_FragCoord.xy - 0.5;
    vec2 size = vec2(acrossLine.w, downLine.w);
    vec2 coordinate = vec2(along(acrossLine, pixel.x), along(downLine, pixel.y));
    vec2 texel = clamp(floor(coordinate * size), vec2(0.0), size - 1.0);
    gl_FragColor = texture2D(picture, (texel + 0.5) / size) * colour;
}`;

function shader(kind, source) {
    const s = gl.createShader(kind);
    gl.shaderSource(s, source);
    gl.compileShader(s);
    return s;
}
const program = gl.createProgram();
gl.attachShader(program, shader(gl.VERTEX_SHADER, vertexShader));
gl.attachShader(program, shader(gl.FRAGMENT_SHADER, exact ? exactFragment : plainFragment));
gl.linkProgram(program);
gl.useProgram(program);
gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([0, 0, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1,  // the whole canvas, then its top-left 40x40
                                                 0, 0, 0, 0.0667, 0.05, 0, 0.05, 0, 0, 0.0667, 0.05, 0.0667]), gl.STATIC_DRAW);
const position = gl.getAttribLocation(program, 'position');
gl.enableVertexAttribArray(position);
gl.vertexAttribPointer(position, 2, gl.FLOAT, false, 0, 0);
// The same at every corner, as the game's are.
if (exact) {
    gl.vertexAttrib4f(gl.getAttribLocation(program, 'across'), 0.5 / 800, 1 / 800, 0, 800);
    gl.vertexAttrib4f(gl.getAttribLocation(program, 'down'), 1 - 0.5 / 600, -1 / 600, 0, 600);
    gl.vertexAttrib4f(gl.getAttribLocation(program, 'tint'), 1, 1, 1, 1);
}
if (params.get('blend') !== '0') gl.enable(gl.BLEND);
gl.blendFunc(gl.SRC_ALPHA, gl.ONE_MINUS_SRC_ALPHA);

const files = ['BLACK.png', 'GRAY.png', 'WHITE.png', 'youwin.png', 'youlose.png'];
const textures = [];
window.plain = { callbacks: 0, ready: false };

async function load(file) {
    const image = new Image();
    image.src = 'assets/' + file;
    await image.decode();
    const texture = gl.createTexture();
    gl.bindTexture(gl.TEXTURE_2D, texture);
    for (const [k, v] of [[gl.TEXTURE_MIN_FILTER, gl.NEAREST], [gl.TEXTURE_MAG_FILTER, gl.NEAREST],
                          [gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE], [gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE]])
        gl.texParameteri(gl.TEXTURE_2D, k, v);
    gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, image);
    return texture;
}

function frame() {
    gl.clearColor(0, 0, 0, 1);
    gl.clear(gl.COLOR_BUFFER_BIT);
    for (let i = 0; i < count; ++i) {
        gl.bindTexture(gl.TEXTURE_2D, textures[i % textures.length]);
        gl.drawArrays(gl.TRIANGLES, i < full ? 0 : 6, 6);
    }
    window.plain.callbacks += 1;
    requestAnimationFrame(frame);
}

Promise.all(files.map(load)).then((loaded) => {
    textures.push(...loaded);
    window.plain.ready = true;
    requestAnimationFrame(frame);
});
