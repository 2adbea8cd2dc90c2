<div class="Blocco1">riquadro 22</div>

