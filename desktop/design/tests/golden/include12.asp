<div class="Blocco14">##LINKCSS##
	piede 13 <em class="cornice15"></em><b class="cella22">c</b><b class="cella2223">d</b>

</div>
