// Tumblewing's decoders off the page's thread: WebP pictures read back exactly as stored, Ogg Vorbis clips by voice.wasm; on the page where no worker can.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// The browser decodes the picture (nothing premultiplied, no colour conversion) and reads its pixels back as
// RGBA rows from the top: an opaque picture (every pixel's alpha 255; the large ones all are) through a 2D
// canvas kept on the CPU, which keeps such pixels exactly and leaves the GPU alone; any other through WebGL,
// on `canvas`, since a 2D canvas loses the colour under a clear pixel. Null when it cannot; the game's own
// decoder then names the file.
async function webpPixels(bytes, canvas) {
    let picture;
    try {
        picture = await createImageBitmap(new Blob([bytes], { type: 'image/webp' }),
                                          { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    } catch {
        return null;
    }
    try {
        return opaquePixels(picture) ?? glPixels(picture, canvas);
    } finally {
        picture.close();
    }
}

function opaquePixels(picture) {
    if (typeof OffscreenCanvas !== 'function') return null;
    const { width, height } = picture;
    const context = new OffscreenCanvas(width, height).getContext('2d', { willReadFrequently: true });
    if (!context) return null;
    context.drawImage(picture, 0, 0);
    const rgba = context.getImageData(0, 0, width, height).data;
    for (let i = 3; i < rgba.length; i += 4) if (rgba[i] !== 255) return null;
    return { width, height, rgba: new Uint8Array(rgba.buffer, rgba.byteOffset, rgba.byteLength) };
}

function glPixels(picture, canvas) {
    const gl = canvas.getContext('webgl', { premultipliedAlpha: false });
    if (!gl || gl.isContextLost()) return null;
    const texture = gl.createTexture();
    const framebuffer = gl.createFramebuffer();
    try {
        gl.bindTexture(gl.TEXTURE_2D, texture);
        gl.pixelStorei(gl.UNPACK_PREMULTIPLY_ALPHA_WEBGL, false);
        gl.pixelStorei(gl.UNPACK_COLORSPACE_CONVERSION_WEBGL, gl.NONE);
        gl.pixelStorei(gl.UNPACK_FLIP_Y_WEBGL, false);
        gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, picture);
        gl.bindFramebuffer(gl.FRAMEBUFFER, framebuffer);
        gl.framebufferTexture2D(gl.FRAMEBUFFER, gl.COLOR_ATTACHMENT0, gl.TEXTURE_2D, texture, 0);
        if (gl.checkFramebufferStatus(gl.FRAMEBUFFER) !== gl.FRAMEBUFFER_COMPLETE) return null;
        const rgba = new Uint8Array(picture.width * picture.height * 4);
        gl.readPixels(0, 0, picture.width, picture.height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
        return gl.getError() === gl.NO_ERROR ? { width: picture.width, height: picture.height, rgba } : null;
    } finally {
        gl.deleteFramebuffer(framebuffer);
        gl.deleteTexture(texture);
    }
}

// voice.wasm, fetched and started once. It needs nothing from its host, so every import it names is a
// function that does nothing. When it cannot be had, the error names it (`file`) and says why.
let voiceDecoder = null;
function voiceModule() {
    voiceDecoder ??= (async () => {
        let response;
        try {
            response = await fetch('voice.wasm');
        } catch {
            throw Object.assign(new Error('it could not be fetched'), { file: 'voice.wasm' });
        }
        if (!response.ok) {
            throw Object.assign(new Error(`the server answered ${response.status} ${response.statusText}`.trim()),
                                { file: 'voice.wasm' });
        }
        const module = await WebAssembly.compile(await response.arrayBuffer());
        const imports = {};
        for (const { module: from, name } of WebAssembly.Module.imports(module)) (imports[from] ??= {})[name] = () => 0;
        const { exports } = await WebAssembly.instantiate(module, imports);
        exports._initialize();
        return exports;
    })();
    return voiceDecoder;
}

// A clip's samples, 16 bits interleaved, as the game's clip decoder makes them; null when it does not decode.
async function voiceSamples(bytes) {
    const v = await voiceModule();
    const at = v.voice_room(bytes.length);
    if (!at) return null;
    new Uint8Array(v.memory.buffer, at, bytes.length).set(bytes);
    const count = v.voice_decode();  // may grow memory: the buffer is read after
    if (count <= 0) return null;
    const samples = new Int16Array(v.memory.buffer, v.voice_samples(), count).slice();
    return { channels: v.voice_channels(), rate: v.voice_rate(), samples };
}

// As the page's worker: a file a message, { id, kind: 'picture' or 'clip', bytes }, answered under
// its id with the picture's pixels or the clip's samples (null when it does not decode), or the file the
// worker itself could not get. A message without bytes makes the worker ready for its kind, answered once
// it is (or `unable`): voice.wasm started, or WebGL made (which bears the time a browser may take to start drawing on
// the GPU the first time a page asks). { kind, done: true } lets them go, unanswered.
if (typeof WorkerGlobalScope === 'function' && self instanceof WorkerGlobalScope) {
    let canvas = null;
    const decode = {
        clip: (bytes) => voiceSamples(bytes),
        picture: (bytes) => webpPixels(bytes, canvas ??= new OffscreenCanvas(1, 1)),
    };
    const ready = {
        clip: () => voiceModule(),
        picture: () => (canvas ??= new OffscreenCanvas(1, 1)).getContext('webgl', { premultipliedAlpha: false }),
    };
    const letGo = {
        clip: () => { voiceDecoder = null; },
        picture: () => canvas?.getContext('webgl')?.getExtension('WEBGL_lose_context')?.loseContext(),
    };
    self.onmessage = async ({ data: { id, kind, bytes, done } }) => {
        if (done) return letGo[kind]();
        let answer = {};
        try {
            if (bytes) answer.decoded = await decode[kind](bytes);
            else if (!await ready[kind]()) answer.unable = true;  // no WebGL in a worker here
        } catch (e) {
            answer = e.file ? { missing: { name: e.file, why: e.message } } : { decoded: null };
        }
        const data = answer.decoded?.rgba ?? answer.decoded?.samples;
        self.postMessage({ id, ...answer }, data ? [data.buffer] : []);
    };
}
