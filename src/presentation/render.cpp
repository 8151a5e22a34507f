// The drawing pass: clears, draws the scene bottom to top from the layer table, presents.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "presentation/render.h"

#include "shell/state/game.h"

#include <cstddef>

namespace {

void draw(Game& g, const Sprite& s) { g.io.draw(s); }
void drawAll(Game& g, const std::vector<Sprite>& sprites) {
    for (const Sprite& s : sprites) g.io.draw(s);
}

std::size_t groupIndex(const Game& g) { return static_cast<std::size_t>(g.cloudGroup - 1); }

void drawClouds(Game& g, bool foreground) {
    const std::vector<Sprite>& clouds = g.cloudGroups[groupIndex(g)];
    const std::vector<bool>& layers = g.cloudLayers[groupIndex(g)];
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (layers[i] == foreground) draw(g, clouds[i]);
}

// Stops at 255, never wraps.
void advanceEndScreenAlpha(Game& g) {
    if (g.endScreenAlpha <= 254) g.endScreenAlpha += 1;
}

// --- when each layer shows ---
bool always(const Game&) { return true; }
bool cloudsOn(const Game& g) { return g.cloudGroup != 0; }
bool waveFlying(const Game& g) { return g.phase > 0; }
bool flashing(const Game& g) { return g.flashOn; }
bool sinkFlying(const Game& g) { return g.sinkLaunched; }
bool playerVisible(const Game& g) { return g.playerShown; }
bool frontCloudsOn(const Game& g) { return g.cloudGroup != 0 && g.phase != -2; }
bool lightningOn(const Game& g) { return g.lightningShown && g.phase != -2; }
bool strikeArmed(const Game& g) { return g.lightningArmed && g.phase != -2; }
bool foregroundCloudsOn(const Game& g) { return g.cloudGroup != 0 && g.phase >= 0; }
bool vexmorOnStage(const Game& g) { return g.vexmorPresent; }
bool winSequence(const Game& g) { return g.phase == -2; }
bool startPrompt(const Game& g) { return g.showStartPrompt; }
bool gameLost(const Game& g) { return g.playerLives < 0; }
bool gameWon(const Game& g) { return g.showWinScreen; }

// --- what each layer draws, and the few changes of look made while drawing ---
void backdrop(Game& g) { draw(g, g.backdropSprite); }
void backgroundClouds(Game& g) { drawClouds(g, false); }
void foregroundClouds(Game& g) { drawClouds(g, true); }
void flash(Game& g) { draw(g, g.flashSprite); }
void player(Game& g) { draw(g, g.playerSprite); }
void lightningCloud(Game& g) { draw(g, g.lightningSprite); }
void cloudPrototype(Game& g) { draw(g, g.cloudPrototype); }
void playerLifeRow(Game& g) { drawAll(g, g.playerLifeIcons); }
void arrows(Game& g) { drawAll(g, g.arrowSprites); }
void winScreen(Game& g) { draw(g, g.winSprite); }

void wavePictures(Game& g) {
    const std::size_t w = static_cast<std::size_t>(g.phase - 1);
    for (std::size_t i = 0; i < g.waveShapes[w].size(); ++i) draw(g, g.waveSprites[w][i]);
}

void sink(Game& g) {  // drifts a pixel left each time it is drawn
    draw(g, g.sinkSprite);
    g.sinkSprite.position.x -= 1.f;
}

void cloudsInFront(Game& g) {  // clouds 2 and 1 pass in front of the player
    draw(g, g.cloudGroups[groupIndex(g)][2]);
    draw(g, g.cloudGroups[groupIndex(g)][1]);
}

void returnPrompt(Game& g) {  // sits on the lightning cloud
    g.enterPrompt.position = g.lightningZone.position + Vec2(25.f, 25.f);
    draw(g, g.enterPrompt);
}

void vexmor(Game& g) {
    draw(g, g.vexmorSprite);
    if (g.phase == -1) drawAll(g, g.vexmorLifeIcons);
}

// The start curtain fades once the player has pressed an arrow; while the
// clouds are not yet out the player is drawn again on top of it.
void curtain(Game& g) {
    const int alpha = g.curtainSprite.color.a;
    if (alpha > CurtainMinAlpha) draw(g, g.curtainSprite);
    if (!g.showStartPrompt && alpha > CurtainMinAlpha) g.curtainSprite.setAlpha(alpha - CurtainFadeStep);
    if (g.cloudGroup == 0) draw(g, g.playerSprite);
}

void loseScreen(Game& g) {  // drawn first, so its first frame shows the old alpha
    draw(g, g.loseSprite);
    advanceEndScreenAlpha(g);
    g.loseSprite.setAlpha(g.endScreenAlpha);
}

void winScreenAlpha(Game& g) {
    advanceEndScreenAlpha(g);
    g.winSprite.setAlpha(g.endScreenAlpha);
}

struct Layer {
    bool (*shown)(const Game&);
    void (*draw)(Game&);
};

// Bottom to top: a later row covers an earlier one.
constexpr Layer drawOrder[] = {
    {always, backdrop},
    {cloudsOn, backgroundClouds},
    {waveFlying, wavePictures},
    {flashing, flash},
    {sinkFlying, sink},
    {playerVisible, player},
    {frontCloudsOn, cloudsInFront},
    {lightningOn, lightningCloud},
    {strikeArmed, returnPrompt},
    {foregroundCloudsOn, foregroundClouds},
    {vexmorOnStage, vexmor},
    {winSequence, cloudPrototype},
    {always, playerLifeRow},
    {playerVisible, curtain},
    {startPrompt, arrows},
    {gameLost, loseScreen},
    {gameWon, winScreen},
    {always, winScreenAlpha},
};

}  // namespace

void renderFrame(Game& g) {
    g.io.clear(Color(0, 0, 0, 255));
    for (const Layer& layer : drawOrder)
        if (layer.shown(g)) layer.draw(g);
    g.io.display();
}
