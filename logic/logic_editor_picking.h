// The logic editor's click handler: the words of its rules, the model picker
// of the object logic editor, the phrase editor, the phrase selector and the
// scrolling of the rule list. The picking core offers it every code first.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. True when the code is one
// of the logic editor's and was consumed (also when the event does not act).
bool logicEditorPicking(const unsigned char* pixel);
