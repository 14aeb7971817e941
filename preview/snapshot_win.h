// The snapshot preview (control 311).
#pragma once
void ShowGameSnapshot(const char* gameName);
// Reloads the preview work file at the current preview size (after a resize).
void ReloadPreviewPicture();
// While held, reloads are owed rather than done; releasing does the owed one,
// unless a snapshot was shown since. Start-up holds them until the selected
// game is shown: the resizes before would load pictures replaced unseen.
void HoldPreviewReloads(bool hold);
