#pragma once

class AutomationObject;
class TOCRField;

// Puts an area's twenty reader settings onto a settings object of the reader
// component, one property put each, in the order the reader's settings list
// them. Integers go as stored, Booleans as automation Booleans, the pattern
// as a string (empty when there is none). Raises AutomationError from the
// component.
void ApplyAreaSettings(AutomationObject &Settings, const TOCRField &Field);

// The whole page: every type but patch codes (1919) in all four directions
// (15); everything else stays at the component's own defaults.
void ApplyPageSettings(AutomationObject &Settings);
