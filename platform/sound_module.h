// The entry points of the sound module, a small library that holds the
// program's only use of Qt Multimedia. It is loaded when a sound file first
// plays, so a start that plays nothing never pays for loading Qt Multimedia
// and the audio libraries it links.
#pragma once

#include <QString>

extern "C" {

// Plays a sound file without waiting for it (see PlaySoundFile).
void cartulo_sound_play(const QString& file);
bool cartulo_sound_output_present();
void cartulo_sound_loaded(QString& file);
bool cartulo_sound_loading();
}
