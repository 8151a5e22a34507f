// Tumblewing's WebP pictures read back exactly as stored: in a worker off the page's thread, or on the page where no worker can.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// The browser decodes the picture (nothing premultiplied, no colour conversion) and WebGL, on `canvas`, reads
// its pixels back as RGBA rows from the top. Null when it cannot; the game's own decoder then names the file.
async function webpPixels(bytes, canvas) {
    let picture;
    try {
        picture = await createImageBitmap(new Blob([bytes], { type: 'image/webp' }),
                                          { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    } catch {
        return null;
    }
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
        picture.close();
    }
}

// As the page's worker: one picture a message, answered with its pixels (or null) under the message's id.
if (typeof WorkerGlobalScope === 'function' && self instanceof WorkerGlobalScope) {
    const canvas = new OffscreenCanvas(1, 1);
    self.onmessage = async ({ data: { id, bytes } }) => {
        const picture = await webpPixels(bytes, canvas).catch(() => null);
        self.postMessage({ id, picture }, picture ? [picture.rgba.buffer] : []);
    };
}
