// The snapshot preview (control 311).
#pragma once
void ShowGameSnapshot(const char* gameName);
// Reloads the preview work file at the current preview size (after a resize).
void ReloadPreviewPicture();
