// The game's vocabulary: every image id, sound id, tune, mode, sound setting,
// logical button and key code the game uses, named once. The files of data/
// behind the image and sound ids are listed in game/asset_table.h.
#pragma once

// The key codes are the host's, named in host/key_codes.h.
#include "host/key_codes.h"

// Images, by their slot in c_MyApp::m_images.
constexpr int kImageSprites = 1;  // ball, ring, walls and start markers
constexpr int kImageTiles = 2;
constexpr int kImageBadges = 80;
constexpr int kImageFont = 90;
constexpr int kImageTestCard = 91;       // the credits box's centre picture
constexpr int kImageStudioEmblem = 93;   // loading screen, credits button and box
constexpr int kImageDpad = 94;
constexpr int kImageButtons = 95;        // menu buttons and the cog
constexpr int kImageParts = 96;          // stars and particles
constexpr int kImageIcons = 97;          // pause, quit, resume, restart, highlight
constexpr int kImageLogo = 98;
constexpr int kImageMenu = 99;           // the menu's background pictures

// Sound effects, by their slot in c_MyApp::m_sounds.
constexpr int kSoundRing = 1;
constexpr int kSoundFlingAndBounce = 2;
constexpr int kSoundBreak = 3;
constexpr int kSoundStartColumn = 4;
constexpr int kSoundJingleBase = 10;  // plus the rings collected, 1 to 10
constexpr int kSoundFanfare = 95;
constexpr int kSoundLogoJingle = 96;
constexpr int kSoundConfirm = 98;     // start, pause, resume, quit
constexpr int kSoundClick = 99;       // moves and toggles in menus and boxes

// Tunes, by their slot in c_MyApp::m_tunes; one at a time loops on the
// audio device's music channel.
constexpr int kNoTune = -1;
constexpr int kTuneTitle = 0;  // over the title menu
constexpr int kTunePlay = 1;   // during a level
constexpr int kTunes = 2;

// The sound setting (m_settings[kSettingSoundMode]).
constexpr int kSoundOff = 0;
constexpr int kSoundEffectsAndMusic = 1;
constexpr int kSoundEffectsOnly = 2;
constexpr int kSoundMusicOnly = 3;
constexpr int kSoundModes = 4;

// Modes of c_MyApp::m_mode; every mode from kModePlaying on is a level's.
constexpr int kModeMenu = 1;
constexpr int kModeReturnToMenu = 2;
constexpr int kModePlaying = 10;
constexpr int kModeLoadLevel = 11;

// Logical buttons (p_PlayKey), named by the pad button that works them.
constexpr int kButtonUp = 0;
constexpr int kButtonLeft = 3;
constexpr int kButtonRight = 5;
constexpr int kButtonDown = 8;
constexpr int kButtonA = 10;            // select; fling left
constexpr int kButtonB = 11;            // fling right
constexpr int kButtonX = 12;            // fling left when the level was started with a pad
constexpr int kButtonY = 13;
constexpr int kButtonLeftBumper = 14;
constexpr int kButtonRightBumper = 15;  // credits
constexpr int kButtonBack = 99;         // pause, back, leave
// The buttons whose press is latched until every one of them is let go.
constexpr int kLatchingButtons[] = {kButtonUp, kButtonLeft, kButtonRight, kButtonDown, kButtonA,
                                    kButtonB, kButtonX, kButtonY, kButtonLeftBumper,
                                    kButtonRightBumper, kButtonBack};
// The buttons that close the credits box and the options box's back cog.
constexpr int kCloseButtons[] = {kButtonRightBumper, kButtonA, kButtonB};

// p_PlayKey's joystick number for the keyboard and virtual buttons alone.
constexpr int kKeysOnly = -1;

// Control schemes of c_MyApp::m_ctrlScheme: what started the level.
constexpr int kSchemeKeyboard = 0, kSchemePad = 1, kSchemePointer = 2;
